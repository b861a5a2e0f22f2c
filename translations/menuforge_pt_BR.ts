<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
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
        <translation>Selecionar idioma</translation>
    </message>
</context>
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
    <name>menuforge::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Built with Qt %1 (LGPL-3.0), running on Qt %2</source>
        <translation>Compilado com Qt %1 (LGPL-3.0), rodando no Qt %2</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versão %1</translation>
    </message>
</context>
<context>
    <name>menuforge::BackupChooserDialog</name>
    <message>
        <source>Phone</source>
        <translation>Celular</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Taken</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Other file...</source>
        <translation>Outro arquivo...</translation>
    </message>
</context>
<context>
    <name>menuforge::DeleteRequestDialog</name>
    <message>
        <source>Delete selected files?</source>
        <translation>Excluir os arquivos selecionados?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmação</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Yes to all</source>
        <translation>Sim para todos</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Pular</translation>
    </message>
</context>
<context>
    <name>menuforge::DrmPickerDialog</name>
    <message>
        <source>Select an icon</source>
        <translation>Selecione um ícone</translation>
    </message>
    <message>
        <source>Picture preview</source>
        <translation>Prévia da imagem</translation>
    </message>
    <message>
        <source>Centered</source>
        <translation>Centralizado</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Tamanho da tela</translation>
    </message>
    <message>
        <source>Load new...</source>
        <translation>Carregar outro...</translation>
    </message>
    <message>
        <source>Open new CG15 binary</source>
        <translation>Abrir outro binário CG15</translation>
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
        <translation>Somente leitura</translation>
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
        <translation>Atributos do arquivo</translation>
    </message>
    <message>
        <source>File attributes</source>
        <translation>Atributos do arquivo</translation>
    </message>
</context>
<context>
    <name>menuforge::FileMaskDialog</name>
    <message>
        <source>Set file mask</source>
        <translation>Máscara de arquivos</translation>
    </message>
    <message>
        <source>Check volumes to read</source>
        <translation>Marque os volumes a ler</translation>
    </message>
    <message>
        <source>Extension (none to read all files)</source>
        <translation>Extensão (vazia para todos)</translation>
    </message>
</context>
<context>
    <name>menuforge::IconRowPanel</name>
    <message>
        <source>Source</source>
        <translation>Origem</translation>
    </message>
</context>
<context>
    <name>menuforge::ItemEditorDialog</name>
    <message>
        <source>Animated icon</source>
        <translation>Ícone animado</translation>
    </message>
    <message>
        <source>Item properties</source>
        <translation>Propriedades do item</translation>
    </message>
    <message>
        <source>Visual</source>
        <translation>Visual</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Função</translation>
    </message>
    <message>
        <source>Item title</source>
        <translation>Título do item</translation>
    </message>
    <message>
        <source>Menu title</source>
        <translation>Título no menu</translation>
    </message>
    <message>
        <source>Softkey title</source>
        <translation>Título da tecla</translation>
    </message>
    <message>
        <source>Item attributes</source>
        <translation>Atributos do item</translation>
    </message>
    <message>
        <source>Lockable</source>
        <translation>Bloqueável</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Protegido</translation>
    </message>
    <message>
        <source>Non-changeable</source>
        <translation>Não alterável</translation>
    </message>
    <message>
        <source>Item icons</source>
        <translation>Ícones do item</translation>
    </message>
    <message>
        <source>Static icon</source>
        <translation>Ícone fixo</translation>
    </message>
    <message>
        <source>List icon</source>
        <translation>Ícone de lista</translation>
    </message>
    <message>
        <source>MIDlet-1</source>
        <translation>MIDlet-1</translation>
    </message>
    <message>
        <source>MIDlet name</source>
        <translation>Nome do MIDlet</translation>
    </message>
    <message>
        <source>MIDlet vendor</source>
        <translation>Fornecedor do MIDlet</translation>
    </message>
    <message>
        <source>Select installed:</source>
        <translation>Escolher instalado:</translation>
    </message>
    <message>
        <source>Action code (dec) [?]:</source>
        <translation>Código de ação (dec) [?]:</translation>
    </message>
    <message>
        <source>Shortcut data [?]</source>
        <translation>Dados do atalho [?]</translation>
    </message>
    <message>
        <source>Call a number/Send SMS </source>
        <translation>Ligar/Enviar SMS </translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Ligar</translation>
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
        <translation>Limpar todos os dados</translation>
    </message>
    <message>
        <source>Clear all data attached to the item</source>
        <translation>Apaga todos os dados do item</translation>
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
        <translation>Função do item:</translation>
    </message>
</context>
<context>
    <name>menuforge::NameSettingsDialog</name>
    <message>
        <source>Name settings</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Type in new name</source>
        <translation>Digite o novo nome</translation>
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
    <name>menuforge::PicturePickerDialog</name>
    <message>
        <source>Picture Picker</source>
        <translation>Seletor de imagens</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Arquivo</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Tamanho</translation>
    </message>
    <message>
        <source>Attr</source>
        <translation>Atr.</translation>
    </message>
    <message>
        <source>Use path</source>
        <translation>Usar caminho</translation>
    </message>
    <message>
        <source>Icon path/name:</source>
        <translation>Caminho/nome do ícone:</translation>
    </message>
    <message>
        <source>Update file list</source>
        <translation>Atualizar lista</translation>
    </message>
    <message>
        <source>Icons only</source>
        <translation>Só ícones</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos os arquivos</translation>
    </message>
    <message>
        <source>By mask...</source>
        <translation>Por máscara...</translation>
    </message>
    <message>
        <source>Upload to this folder</source>
        <translation>Enviar para esta pasta</translation>
    </message>
    <message>
        <source>Download selected</source>
        <translation>Baixar seleção</translation>
    </message>
    <message>
        <source>Delete selected</source>
        <translation>Excluir seleção</translation>
    </message>
    <message>
        <source>Set attribute</source>
        <translation>Definir atributo</translation>
    </message>
    <message>
        <source>Create folder</source>
        <translation>Criar pasta</translation>
    </message>
    <message>
        <source>Delete folder</source>
        <translation>Excluir pasta</translation>
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
<context>
    <name>menuforge::StringListPanel</name>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nº</translation>
    </message>
    <message>
        <source>Language ID</source>
        <translation>ID do idioma</translation>
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
