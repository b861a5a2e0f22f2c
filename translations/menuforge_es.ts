<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>core</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Profile error</source>
        <translation>Error de perfil</translation>
    </message>
    <message>
        <source>Invalid path delimiter. Expecting &apos;/&apos;</source>
        <translation>Separador de ruta no válido. Se espera &apos;/&apos;</translation>
    </message>
    <message>
        <source>Invalid volume letter. Expecting a,b,c,e</source>
        <translation>Letra de volumen no válida. Se espera a,b,c,e</translation>
    </message>
    <message>
        <source>Invalid character in file name</source>
        <translation>Carácter no válido en el nombre de archivo</translation>
    </message>
    <message>
        <source>A title or text holds at most %1 characters.<byte value="xd"/>
Shorten it, then press OK again</source>
        <translation>Un título o texto admite como máximo %1 caracteres.<byte value="xd"/>
Acórtelo y pulse OK de nuevo</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
Input will be ignored</source>
        <translation>%1<byte value="xd"/>
Se ignorará la entrada</translation>
    </message>
    <message>
        <source>Input format error</source>
        <translation>Error de formato de entrada</translation>
    </message>
    <message>
        <source>Invalid numeric value</source>
        <translation>Valor numérico no válido</translation>
    </message>
    <message>
        <source>Value too big</source>
        <translation>Valor demasiado grande</translation>
    </message>
    <message>
        <source>Value too small</source>
        <translation>Valor demasiado pequeño</translation>
    </message>
    <message>
        <source>Character outside the 8-bit character set (Latin-1)</source>
        <translation>Carácter fuera del juego de caracteres de 8 bits (Latin-1)</translation>
    </message>
    <message>
        <source>Show changes</source>
        <translation>Mostrar cambios</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Predeterminado del sistema</translation>
    </message>
</context>
<context>
    <name>menuforge::PhonePreviewDock</name>
    <message>
        <source>Phone preview</source>
        <translation>Vista previa del teléfono</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Tamaño de pantalla</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Cuadrícula</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Main menu view</source>
        <translation>Vista del menú principal</translation>
    </message>
    <message>
        <source>Title language</source>
        <translation>Idioma de los títulos</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Show the folder above</source>
        <translation>Mostrar la carpeta superior</translation>
    </message>
</context>
<context>
    <name>menuforge::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Enable p2k ops logging</source>
        <translation>Registrar operaciones p2k</translation>
    </message>
    <message>
        <source>Set SYSTEM attribute</source>
        <translation>Poner atributo SYSTEM</translation>
    </message>
    <message>
        <source>Activate items in SEEM 0032</source>
        <translation>Activar elementos en SEEM 0032</translation>
    </message>
    <message>
        <source>Backup SEEM</source>
        <translation>Copiar SEEM</translation>
    </message>
    <message>
        <source>Restore backup</source>
        <translation>Restaurar copia</translation>
    </message>
    <message>
        <source>Read J2MEST</source>
        <translation>Leer J2MEST</translation>
    </message>
    <message>
        <source>From phone</source>
        <translation>Del teléfono</translation>
    </message>
    <message>
        <source>From card</source>
        <translation>De la tarjeta</translation>
    </message>
    <message>
        <source>Allow patching to run corelets</source>
        <translation>Permitir el parche para ejecutar corelets</translation>
    </message>
    <message>
        <source>Show changes before saving to phone</source>
        <translation>Mostrar cambios antes de guardar en el teléfono</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Language of the window</source>
        <translation>Idioma de la ventana</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>El idioma cambia en el próximo inicio.</translation>
    </message>
</context>
</TS>
