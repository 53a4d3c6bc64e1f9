#pragma once

#include "app/LogFont.h"
#include "app/Settings.h"
#include "toolchain/ToolSettings.h"
#include "view/ColorSettings.h"

#include <QObject>

class SettingsStore;

// The settings of this process (every window is a process of its own), read from the store
// once at start. A command changes a group through its setter, which writes the store; the
// panes follow the font and the colours through the signals and read the rest when they use
// it.
class CAppSettings : public QObject {
    Q_OBJECT
public:
    // dataDir and programPath correct the stored installation folder (see InstallDir.h).
    CAppSettings(SettingsStore &store, const QString &dataDir, const QString &programPath,
                 QObject *parent = nullptr);

    // The interface language; a switch takes effect at the next start.
    bool English() const { return m_english; }
    // The folder of the program's data (help texts, input_tex.mme).
    QString InstDir() const { return m_instDir; }

    const ViewColors &Colors() const { return m_colors; }
    // Stores the colours with the chooser's custom colours (view/ColorSettings.h).
    void SetColors(const ViewColors &colors, const CustomColors &custom);

    const LogFont &ScreenFont() const { return m_screenFont; }
    void SetScreenFont(const LogFont &font);
    // The printer font of the document shown: a ".zel" settings line may give its height.
    const LogFont &PrintFont() const { return m_printFont; }
    void SetPrintFont(const LogFont &font);

    // Columns and margin of the document shown; a choice is stored and holds for it too.
    const PrintSettings &Print() const { return m_print; }
    void SetPrintColumns(int columns);
    void SetPrintMargin(int margin);
    // A document's own settings line sets printing for as long as it is shown, without being
    // stored; fontHeight < 0 keeps the stored printer font's.
    void ShowDocumentPrint(const PrintSettings &print, int fontHeight);
    const PrintSettings &StoredPrint() const { return m_storedPrint; }

    const InputSettings &Input() const { return m_input; }
    void SetInput(const InputSettings &input);
    // "" goes back to the list in the data folder.
    void SetCommandList(const QString &path);
    QString CommandListPath() const { return m_input.CommandListPath(m_instDir); }

    const EditorSettings &Editor() const { return m_editor; }
    void SetEditor(const EditorSettings &editor);

    // The TeX commands change these as they run and write the store themselves (see
    // ToolSettings.h).
    ToolSettings &Tools() { return m_tools; }

Q_SIGNALS:
    void FontChanged();
    void ColorsChanged();

private:
    SettingsStore &m_store;
    bool m_english;
    QString m_instDir;
    ViewColors m_colors;
    // The fonts as stored: only the fields a choice changes are written.
    LogFont m_screenFont;
    LogFont m_storedScreenFont;
    LogFont m_printFont;
    LogFont m_storedPrintFont;
    PrintSettings m_print;
    PrintSettings m_storedPrint;
    InputSettings m_input;
    EditorSettings m_editor;
    ToolSettings m_tools;
};
