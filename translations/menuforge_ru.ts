<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>core</name>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Profile error</source>
        <translation>Ошибка профиля</translation>
    </message>
    <message>
        <source>Invalid path delimiter. Expecting &apos;/&apos;</source>
        <translation>Неверный разделитель пути. Ожидается &apos;/&apos;</translation>
    </message>
    <message>
        <source>Invalid volume letter. Expecting a,b,c,e</source>
        <translation>Неверная буква тома. Ожидается a,b,c,e</translation>
    </message>
    <message>
        <source>Invalid character in file name</source>
        <translation>Недопустимый символ в имени файла</translation>
    </message>
    <message>
        <source>A title or text holds at most %1 characters.<byte value="xd"/>
Shorten it, then press OK again</source>
        <translation>Название или текст может содержать не более %1 символов.<byte value="xd"/>
Сократите его и снова нажмите OK</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
Input will be ignored</source>
        <translation>%1<byte value="xd"/>
Ввод будет проигнорирован</translation>
    </message>
    <message>
        <source>Input format error</source>
        <translation>Ошибка формата ввода</translation>
    </message>
    <message>
        <source>Invalid numeric value</source>
        <translation>Неверное числовое значение</translation>
    </message>
    <message>
        <source>Value too big</source>
        <translation>Слишком большое значение</translation>
    </message>
    <message>
        <source>Value too small</source>
        <translation>Слишком маленькое значение</translation>
    </message>
    <message>
        <source>Character outside the 8-bit character set (Latin-1)</source>
        <translation>Символ вне 8-битной кодировки (Latin-1)</translation>
    </message>
    <message>
        <source>Show changes</source>
        <translation>Показать изменения</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Как в системе</translation>
    </message>
</context>
<context>
    <name>menuforge::PhonePreviewDock</name>
    <message>
        <source>Phone preview</source>
        <translation>Просмотр на телефоне</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Размер экрана</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Сетка</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Список</translation>
    </message>
    <message>
        <source>Main menu view</source>
        <translation>Вид главного меню</translation>
    </message>
    <message>
        <source>Title language</source>
        <translation>Язык названий</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Show the folder above</source>
        <translation>Показать папку уровнем выше</translation>
    </message>
</context>
<context>
    <name>menuforge::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Enable p2k ops logging</source>
        <translation>Вести журнал операций p2k</translation>
    </message>
    <message>
        <source>Set SYSTEM attribute</source>
        <translation>Ставить атрибут SYSTEM</translation>
    </message>
    <message>
        <source>Activate items in SEEM 0032</source>
        <translation>Включить пункты в SEEM 0032</translation>
    </message>
    <message>
        <source>Backup SEEM</source>
        <translation>Сохранить SEEM</translation>
    </message>
    <message>
        <source>Restore backup</source>
        <translation>Восстановить копию</translation>
    </message>
    <message>
        <source>Read J2MEST</source>
        <translation>Читать J2MEST</translation>
    </message>
    <message>
        <source>From phone</source>
        <translation>С телефона</translation>
    </message>
    <message>
        <source>From card</source>
        <translation>С карты памяти</translation>
    </message>
    <message>
        <source>Allow patching to run corelets</source>
        <translation>Разрешить патч для запуска corelet</translation>
    </message>
    <message>
        <source>Show changes before saving to phone</source>
        <translation>Показывать изменения перед записью в телефон</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Language of the window</source>
        <translation>Язык окна</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>Язык сменится при следующем запуске.</translation>
    </message>
</context>
</TS>
