<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Select language</source>
        <translation>Seleccionar idioma</translation>
    </message>
</context>
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
    <name>menuforge::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Built with Qt %1 (LGPL-3.0), running on Qt %2</source>
        <translation>Compilado con Qt %1 (LGPL-3.0), se ejecuta con Qt %2</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
</context>
<context>
    <name>menuforge::BackupChooserDialog</name>
    <message>
        <source>Phone</source>
        <translation>Teléfono</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Taken</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Other file...</source>
        <translation>Otro archivo...</translation>
    </message>
</context>
<context>
    <name>menuforge::DeleteRequestDialog</name>
    <message>
        <source>Delete selected files?</source>
        <translation>¿Eliminar los archivos seleccionados?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmación</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Yes to all</source>
        <translation>Sí a todo</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Omitir</translation>
    </message>
</context>
<context>
    <name>menuforge::DrmPickerDialog</name>
    <message>
        <source>Select an icon</source>
        <translation>Seleccione un icono</translation>
    </message>
    <message>
        <source>Picture preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Centered</source>
        <translation>Centrado</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Tamaño de pantalla</translation>
    </message>
    <message>
        <source>Load new...</source>
        <translation>Cargar otro...</translation>
    </message>
    <message>
        <source>Open new CG15 binary</source>
        <translation>Abrir otro binario CG15</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>menuforge::FileAttributesDialog</name>
    <message>
        <source>Read-only</source>
        <translation>Solo lectura</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Oculto</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Set file attributes</source>
        <translation>Atributos del archivo</translation>
    </message>
    <message>
        <source>File attributes</source>
        <translation>Atributos del archivo</translation>
    </message>
</context>
<context>
    <name>menuforge::FileMaskDialog</name>
    <message>
        <source>Set file mask</source>
        <translation>Máscara de archivos</translation>
    </message>
    <message>
        <source>Check volumes to read</source>
        <translation>Marque los volúmenes a leer</translation>
    </message>
    <message>
        <source>Extension (none to read all files)</source>
        <translation>Extensión (vacía para todos)</translation>
    </message>
</context>
<context>
    <name>menuforge::IconRowPanel</name>
    <message>
        <source>Source</source>
        <translation>Origen</translation>
    </message>
</context>
<context>
    <name>menuforge::ItemEditorDialog</name>
    <message>
        <source>Animated icon</source>
        <translation>Icono animado</translation>
    </message>
    <message>
        <source>Item properties</source>
        <translation>Propiedades del elemento</translation>
    </message>
    <message>
        <source>Visual</source>
        <translation>Aspecto</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Función</translation>
    </message>
    <message>
        <source>Item title</source>
        <translation>Título del elemento</translation>
    </message>
    <message>
        <source>Menu title</source>
        <translation>Título en el menú</translation>
    </message>
    <message>
        <source>Softkey title</source>
        <translation>Título de tecla</translation>
    </message>
    <message>
        <source>Item attributes</source>
        <translation>Atributos del elemento</translation>
    </message>
    <message>
        <source>Lockable</source>
        <translation>Bloqueable</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Protegido</translation>
    </message>
    <message>
        <source>Non-changeable</source>
        <translation>No modificable</translation>
    </message>
    <message>
        <source>Item icons</source>
        <translation>Iconos del elemento</translation>
    </message>
    <message>
        <source>Static icon</source>
        <translation>Icono fijo</translation>
    </message>
    <message>
        <source>List icon</source>
        <translation>Icono de lista</translation>
    </message>
    <message>
        <source>MIDlet-1</source>
        <translation>MIDlet-1</translation>
    </message>
    <message>
        <source>MIDlet name</source>
        <translation>Nombre del MIDlet</translation>
    </message>
    <message>
        <source>MIDlet vendor</source>
        <translation>Proveedor del MIDlet</translation>
    </message>
    <message>
        <source>Select installed:</source>
        <translation>Elegir instalado:</translation>
    </message>
    <message>
        <source>Action code (dec) [?]:</source>
        <translation>Código de acción (dec) [?]:</translation>
    </message>
    <message>
        <source>Shortcut data [?]</source>
        <translation>Datos del atajo [?]</translation>
    </message>
    <message>
        <source>Call a number/Send SMS </source>
        <translation>Llamar/Enviar SMS </translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Llamar</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Code 0x12 [?]</source>
        <translation>Código 0x12 [?]</translation>
    </message>
    <message>
        <source>Code 0x13 [?]</source>
        <translation>Código 0x13 [?]</translation>
    </message>
    <message>
        <source>Code 0x14 [?]</source>
        <translation>Código 0x14 [?]</translation>
    </message>
    <message>
        <source>Reset All Data</source>
        <translation>Borrar todos los datos</translation>
    </message>
    <message>
        <source>Clear all data attached to the item</source>
        <translation>Borra todos los datos del elemento</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Item function:</source>
        <translation>Función del elemento:</translation>
    </message>
</context>
<context>
    <name>menuforge::NameSettingsDialog</name>
    <message>
        <source>Name settings</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Type in new name</source>
        <translation>Escriba el nuevo nombre</translation>
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
    <name>menuforge::PicturePickerDialog</name>
    <message>
        <source>Picture Picker</source>
        <translation>Selector de imágenes</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Attr</source>
        <translation>Atr.</translation>
    </message>
    <message>
        <source>Use path</source>
        <translation>Usar ruta</translation>
    </message>
    <message>
        <source>Icon path/name:</source>
        <translation>Ruta/nombre del icono:</translation>
    </message>
    <message>
        <source>Update file list</source>
        <translation>Actualizar lista</translation>
    </message>
    <message>
        <source>Icons only</source>
        <translation>Solo iconos</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>By mask...</source>
        <translation>Por máscara...</translation>
    </message>
    <message>
        <source>Upload to this folder</source>
        <translation>Subir a esta carpeta</translation>
    </message>
    <message>
        <source>Download selected</source>
        <translation>Descargar selección</translation>
    </message>
    <message>
        <source>Delete selected</source>
        <translation>Eliminar selección</translation>
    </message>
    <message>
        <source>Set attribute</source>
        <translation>Cambiar atributo</translation>
    </message>
    <message>
        <source>Create folder</source>
        <translation>Crear carpeta</translation>
    </message>
    <message>
        <source>Delete folder</source>
        <translation>Eliminar carpeta</translation>
    </message>
</context>
<context>
    <name>menuforge::ProgressFrame</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>menuforge::ScanProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
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
<context>
    <name>menuforge::StringListPanel</name>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>Language ID</source>
        <translation>ID de idioma</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
</context>
<context>
    <name>menuforge::TextEditorDialog</name>
    <message>
        <source>Text editor </source>
        <translation>Editor de texto </translation>
    </message>
</context>
</TS>
