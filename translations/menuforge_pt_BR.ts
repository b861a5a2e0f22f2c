<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>core</name>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Profile error</source>
        <translation>Erro de perfil</translation>
    </message>
    <message>
        <source>Invalid path delimiter. Expecting &apos;/&apos;</source>
        <translation>Separador de caminho inválido. Esperado &apos;/&apos;</translation>
    </message>
    <message>
        <source>Invalid volume letter. Expecting a,b,c,e</source>
        <translation>Letra de volume inválida. Esperado a,b,c,e</translation>
    </message>
    <message>
        <source>Invalid character in file name</source>
        <translation>Caractere inválido no nome do arquivo</translation>
    </message>
    <message>
        <source>A title or text holds at most %1 characters.<byte value="xd"/>
Shorten it, then press OK again</source>
        <translation>Um título ou texto tem no máximo %1 caracteres.<byte value="xd"/>
Encurte-o e pressione OK de novo</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
Input will be ignored</source>
        <translation>%1<byte value="xd"/>
A entrada será ignorada</translation>
    </message>
    <message>
        <source>Input format error</source>
        <translation>Erro no formato da entrada</translation>
    </message>
    <message>
        <source>Invalid numeric value</source>
        <translation>Valor numérico inválido</translation>
    </message>
    <message>
        <source>Value too big</source>
        <translation>Valor grande demais</translation>
    </message>
    <message>
        <source>Value too small</source>
        <translation>Valor pequeno demais</translation>
    </message>
    <message>
        <source>Character outside the 8-bit character set (Latin-1)</source>
        <translation>Caractere fora do conjunto de 8 bits (Latin-1)</translation>
    </message>
    <message>
        <source>Show changes</source>
        <translation>Mostrar alterações</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Padrão do sistema</translation>
    </message>
</context>
<context>
    <name>menuforge::PhonePreviewDock</name>
    <message>
        <source>Phone preview</source>
        <translation>Prévia do celular</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Tamanho da tela</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Main menu view</source>
        <translation>Visão do menu principal</translation>
    </message>
    <message>
        <source>Title language</source>
        <translation>Idioma dos títulos</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Show the folder above</source>
        <translation>Mostrar a pasta acima</translation>
    </message>
</context>
<context>
    <name>menuforge::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Enable p2k ops logging</source>
        <translation>Registrar operações p2k</translation>
    </message>
    <message>
        <source>Set SYSTEM attribute</source>
        <translation>Definir atributo SYSTEM</translation>
    </message>
    <message>
        <source>Activate items in SEEM 0032</source>
        <translation>Ativar itens no SEEM 0032</translation>
    </message>
    <message>
        <source>Backup SEEM</source>
        <translation>Backup do SEEM</translation>
    </message>
    <message>
        <source>Restore backup</source>
        <translation>Restaurar backup</translation>
    </message>
    <message>
        <source>Read J2MEST</source>
        <translation>Ler J2MEST</translation>
    </message>
    <message>
        <source>From phone</source>
        <translation>Do celular</translation>
    </message>
    <message>
        <source>From card</source>
        <translation>Do cartão</translation>
    </message>
    <message>
        <source>Allow patching to run corelets</source>
        <translation>Permitir patch para rodar corelets</translation>
    </message>
    <message>
        <source>Show changes before saving to phone</source>
        <translation>Mostrar alterações antes de salvar no celular</translation>
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
        <translation>Idioma da janela</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>O idioma muda na próxima inicialização.</translation>
    </message>
</context>
</TS>
