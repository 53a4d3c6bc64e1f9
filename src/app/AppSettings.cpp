#include "app/AppSettings.h"

#include "app/InstallDir.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

CAppSettings::CAppSettings(SettingsStore &store, const QString &dataDir, const QString &programPath,
                           QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_english(ReadSetting(store, Keys::English) != 0)
    , m_instDir(ApplyInstallDirRule(store, dataDir, programPath))
    , m_colors(LoadViewColors(store))
    , m_printFont(LoadPrintFont(store))
{
    LoadLogFont(store, SectionName(Sections::Font), m_screenFont);
    m_storedScreenFont = m_screenFont;
    m_storedPrintFont = m_printFont;
    m_storedPrint.Load(store);
    m_print = m_storedPrint;
    m_input.Load(store);
    m_editor.Load(store);
    ToolSettings::ResetPaperDialog(store);
    m_tools.Load(store);
}

void CAppSettings::SetColors(const ViewColors &colors, const CustomColors &custom)
{
    m_colors = colors;
    SaveColorSettings(m_store, colors, custom);
    Q_EMIT ColorsChanged();
}

void CAppSettings::SetScreenFont(const LogFont &font)
{
    m_screenFont = font;
    SaveLogFont(m_store, SectionName(Sections::Font), m_screenFont, m_storedScreenFont);
    Q_EMIT FontChanged();
}

void CAppSettings::SetPrintFont(const LogFont &font)
{
    m_printFont = font;
    SaveLogFont(m_store, SectionName(Sections::PrintFont), m_printFont, m_storedPrintFont);
}

void CAppSettings::SetPrintColumns(int columns)
{
    const PrintSettings before = m_storedPrint;
    m_print.columns = m_storedPrint.columns = columns;
    m_storedPrint.Save(m_store, &before);
}

void CAppSettings::SetPrintMargin(int margin)
{
    const PrintSettings before = m_storedPrint;
    m_print.margin = m_storedPrint.margin = margin;
    m_storedPrint.Save(m_store, &before);
}

void CAppSettings::ShowDocumentPrint(const PrintSettings &print, int fontHeight)
{
    m_print = print;
    m_printFont.height = fontHeight < 0 ? m_storedPrintFont.height : fontHeight;
}

void CAppSettings::SetInput(const InputSettings &input)
{
    input.Save(m_store, &m_input);
    m_input = input;
}

void CAppSettings::SetCommandList(const QString &path)
{
    InputSettings input = m_input;
    input.commandList = path;
    SetInput(input);
}

void CAppSettings::SetEditor(const EditorSettings &editor)
{
    editor.Save(m_store, &m_editor);
    m_editor = editor;
}
