#include "toolchain/ToolSettings.h"

#include "app/SettingsKeys.h"

void ToolSettings::Load(const SettingsStore &store)
{
    texInstDir = ReadSetting(store, Keys::TeXInstDir);
    compiler = ReadSetting(store, Keys::TeX);
    dviPdf = ReadSetting(store, Keys::DviPdf);
    bibTeX = ReadSetting(store, Keys::Bib);
    makeIndex = ReadSetting(store, Keys::MkIdx);
    makeIndexOptions = ReadSetting(store, Keys::MkIdxOpt);
    makeIndexNoAsk = ReadSetting(store, Keys::MkIdxNvr);
    pdfMadeOnce = ReadSetting(store, Keys::Acr);
    neverPaperDialog = ReadSetting(store, Keys::PdfNeShow);
    pdfPaper = ReadSetting(store, Keys::PdfSizeNo);
    skipPaperDialog = neverPaperDialog != 0 ? 1 : 0;
}

void ToolSettings::Save(SettingsStore &store) const
{
    WriteSetting(store, Keys::TeXInstDir, texInstDir);
    WriteSetting(store, Keys::TeX, compiler);
    WriteSetting(store, Keys::DviPdf, dviPdf);
    WriteSetting(store, Keys::Bib, bibTeX);
    WriteSetting(store, Keys::MkIdx, makeIndex);
    WriteSetting(store, Keys::MkIdxOpt, makeIndexOptions);
    WriteSetting(store, Keys::MkIdxNvr, makeIndexNoAsk);
    WriteSetting(store, Keys::Acr, pdfMadeOnce);
    WriteSetting(store, Keys::PdfNeShow, neverPaperDialog);
    WriteSetting(store, Keys::PdfSizeNo, pdfPaper);
}

void ToolSettings::ResetPaperDialog(SettingsStore &store)
{
    if (ReadSetting(store, Keys::PdfNeShow) != 0)
        return;
    WriteSetting(store, Keys::PdfNShow, 0);
    WriteSetting(store, Keys::PdfNeShow, 0);
    WriteSetting(store, Keys::PdfSizeNo, 1);
}
