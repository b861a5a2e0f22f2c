<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Select language</source>
        <translation>Выберите язык</translation>
    </message>
</context>
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
    <name>menuforge::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Built with Qt %1 (LGPL-3.0), running on Qt %2</source>
        <translation>Собрано с Qt %1 (LGPL-3.0), работает на Qt %2</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Версия %1</translation>
    </message>
</context>
<context>
    <name>menuforge::BackupChooserDialog</name>
    <message>
        <source>Phone</source>
        <translation>Телефон</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Taken</source>
        <translation>Создана</translation>
    </message>
    <message>
        <source>Other file...</source>
        <translation>Другой файл...</translation>
    </message>
</context>
<context>
    <name>menuforge::DeleteRequestDialog</name>
    <message>
        <source>Delete selected files?</source>
        <translation>Удалить выбранные файлы?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Yes to all</source>
        <translation>Да для всех</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
</context>
<context>
    <name>menuforge::DrmPickerDialog</name>
    <message>
        <source>Select an icon</source>
        <translation>Выберите иконку</translation>
    </message>
    <message>
        <source>Picture preview</source>
        <translation>Просмотр картинки</translation>
    </message>
    <message>
        <source>Centered</source>
        <translation>По центру</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Размер экрана</translation>
    </message>
    <message>
        <source>Load new...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <source>Open new CG15 binary</source>
        <translation>Открыть другой бинарник CG15</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>menuforge::FileAttributesDialog</name>
    <message>
        <source>Read-only</source>
        <translation>Только чтение</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Скрытый</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Системный</translation>
    </message>
    <message>
        <source>Set file attributes</source>
        <translation>Атрибуты файла</translation>
    </message>
    <message>
        <source>File attributes</source>
        <translation>Атрибуты файла</translation>
    </message>
</context>
<context>
    <name>menuforge::FileMaskDialog</name>
    <message>
        <source>Set file mask</source>
        <translation>Маска файлов</translation>
    </message>
    <message>
        <source>Check volumes to read</source>
        <translation>Отметьте тома для чтения</translation>
    </message>
    <message>
        <source>Extension (none to read all files)</source>
        <translation>Расширение (пусто — все файлы)</translation>
    </message>
</context>
<context>
    <name>menuforge::IconRowPanel</name>
    <message>
        <source>Source</source>
        <translation>Источник</translation>
    </message>
</context>
<context>
    <name>menuforge::ItemEditorDialog</name>
    <message>
        <source>Animated icon</source>
        <translation>Анимированная иконка</translation>
    </message>
    <message>
        <source>Item properties</source>
        <translation>Свойства пункта</translation>
    </message>
    <message>
        <source>Visual</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Функция</translation>
    </message>
    <message>
        <source>Item title</source>
        <translation>Название пункта</translation>
    </message>
    <message>
        <source>Menu title</source>
        <translation>Название в меню</translation>
    </message>
    <message>
        <source>Softkey title</source>
        <translation>Название софт-клавиши</translation>
    </message>
    <message>
        <source>Item attributes</source>
        <translation>Атрибуты пункта</translation>
    </message>
    <message>
        <source>Lockable</source>
        <translation>Блокируемый</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Защищённый</translation>
    </message>
    <message>
        <source>Non-changeable</source>
        <translation>Неизменяемый</translation>
    </message>
    <message>
        <source>Item icons</source>
        <translation>Иконки пункта</translation>
    </message>
    <message>
        <source>Static icon</source>
        <translation>Обычная иконка</translation>
    </message>
    <message>
        <source>List icon</source>
        <translation>Иконка списка</translation>
    </message>
    <message>
        <source>MIDlet-1</source>
        <translation>MIDlet-1</translation>
    </message>
    <message>
        <source>MIDlet name</source>
        <translation>Имя MIDlet</translation>
    </message>
    <message>
        <source>MIDlet vendor</source>
        <translation>Поставщик MIDlet</translation>
    </message>
    <message>
        <source>Select installed:</source>
        <translation>Из установленных:</translation>
    </message>
    <message>
        <source>Action code (dec) [?]:</source>
        <translation>Код действия (дес.) [?]:</translation>
    </message>
    <message>
        <source>Shortcut data [?]</source>
        <translation>Данные ярлыка [?]</translation>
    </message>
    <message>
        <source>Call a number/Send SMS </source>
        <translation>Звонок/отправка SMS </translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Звонок</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Code 0x12 [?]</source>
        <translation>Код 0x12 [?]</translation>
    </message>
    <message>
        <source>Code 0x13 [?]</source>
        <translation>Код 0x13 [?]</translation>
    </message>
    <message>
        <source>Code 0x14 [?]</source>
        <translation>Код 0x14 [?]</translation>
    </message>
    <message>
        <source>Reset All Data</source>
        <translation>Сбросить все данные</translation>
    </message>
    <message>
        <source>Clear all data attached to the item</source>
        <translation>Удалить все данные пункта</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Item function:</source>
        <translation>Функция пункта:</translation>
    </message>
</context>
<context>
    <name>menuforge::NameSettingsDialog</name>
    <message>
        <source>Name settings</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Type in new name</source>
        <translation>Введите новое название</translation>
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
    <name>menuforge::PicturePickerDialog</name>
    <message>
        <source>Picture Picker</source>
        <translation>Выбор картинки</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Attr</source>
        <translation>Атр.</translation>
    </message>
    <message>
        <source>Use path</source>
        <translation>С путём</translation>
    </message>
    <message>
        <source>Icon path/name:</source>
        <translation>Путь/имя иконки:</translation>
    </message>
    <message>
        <source>Update file list</source>
        <translation>Обновить список</translation>
    </message>
    <message>
        <source>Icons only</source>
        <translation>Только иконки</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Все файлы</translation>
    </message>
    <message>
        <source>By mask...</source>
        <translation>По маске...</translation>
    </message>
    <message>
        <source>Upload to this folder</source>
        <translation>Загрузить в эту папку</translation>
    </message>
    <message>
        <source>Download selected</source>
        <translation>Скачать выбранное</translation>
    </message>
    <message>
        <source>Delete selected</source>
        <translation>Удалить выбранное</translation>
    </message>
    <message>
        <source>Set attribute</source>
        <translation>Задать атрибут</translation>
    </message>
    <message>
        <source>Create folder</source>
        <translation>Создать папку</translation>
    </message>
    <message>
        <source>Delete folder</source>
        <translation>Удалить папку</translation>
    </message>
</context>
<context>
    <name>menuforge::ProgressFrame</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>menuforge::ScanProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
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
<context>
    <name>menuforge::StringListPanel</name>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Language ID</source>
        <translation>Код языка</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
</context>
<context>
    <name>menuforge::TextEditorDialog</name>
    <message>
        <source>Text editor </source>
        <translation>Редактор текста </translation>
    </message>
</context>
</TS>
