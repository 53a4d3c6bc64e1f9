#pragma once

#include <QString>

// The settings and file names one window's TeX commands work with. The editor view keeps
// them as its members; a command copies them in, and the changed values back.
struct ToolchainState {
    int m_bEnglish = 0;
    QString m_strCompiler = QStringLiteral("platex");
    QString m_strTeXInstDir;
    QString m_strDviPdf = QStringLiteral("dvipdfmx");
    QString m_strBibTeX = QStringLiteral("jbibtex");
    QString m_strMakeIndex = QStringLiteral("mendex");
    QString m_strMakeIndexOptions;
    int m_bMakeIndexNoAsk = 0;
    int m_bPdfMadeOnce = 0;
    int m_nPdfPaper = 1;
    int m_bNeverPaperDialog = 0;
    int m_bSkipPaperDialog = 0;

    QString m_strEditedPath;
    // The compile target: folder with its trailing separator, name, extension with its dot.
    QString m_strTargetDir;
    QString m_strTargetBase;
    QString m_strTargetExt;
};

// The values the paper-size dialog shows and returns.
struct PaperDialogValues {
    int nShow = 0;  // don't show until the program ends
    int neShow = 0; // don't show any more
    int sizeNo = 1; // radio index, 0..13
};

// The option string the converter gets for a paper index; empty for A4 and unknown indexes.
QString PaperOption(int index);
inline constexpr int PaperSizeCount = 14;
