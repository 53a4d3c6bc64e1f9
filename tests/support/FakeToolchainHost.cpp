#include "FakeToolchainHost.h"

bool FakeToolchainHost::SaveModified()
{
    ++savePrompts;
    switch (saveAnswer) {
    case SaveAnswer::Yes:
        modified = false;
        return true;
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool FakeToolchainHost::PaperSizeDialog(PaperDialogValues &values)
{
    paperShown << values;
    if (!paperAnswer)
        return false;
    values = *paperAnswer;
    return true;
}

bool FakeToolchainHost::MakeIndexOptionsDialog(QString &options, int &neverShow)
{
    optionsShown << options;
    if (!optionsAnswer)
        return false;
    options = *optionsAnswer;
    neverShow = neverAnswer;
    return true;
}
