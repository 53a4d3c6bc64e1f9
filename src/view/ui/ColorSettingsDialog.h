#pragma once

#include "view/ColorSettings.h"

#include <QDialog>
#include <QPushButton>

#include <array>
#include <functional>

class QLineEdit;
class SettingsStore;

// A button that shows its colour by being filled with it.
class CColorButton : public QPushButton {
public:
    CColorButton(unsigned *color, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    unsigned *m_pColor;
};

// "Set Colors": text and background, the eleven symbols and twelve user strings with their
// colours. The reset buttons act on the settings at once; OK leaves the values to the caller.
class CColorSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The colour chooser: starts at color with the custom colours, true on OK.
    using Chooser = std::function<bool(unsigned &color, CustomColors &custom, QWidget *parent)>;

    CColorSettingsDialog(SettingsStore &store, bool english, QWidget *parent = nullptr);

    const ViewColors &Colors() const { return m_colors; }
    const CustomColors &Custom() const { return m_custom; }
    void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    // Buttons by control id: 1105 text, 1106 background, 1070..1080 symbols, 1081..1092 user
    // colours, 1107..1110 resets.
    QPushButton *Button(int id) const;
    QLineEdit *UserStringEdit(int index) const { return m_userEdits[index]; }

    void accept() override;

private:
    void Choose(unsigned *color);
    void Reset(int id);
    void RefreshEdits();

    SettingsStore &m_store;
    ViewColors m_colors;
    CustomColors m_custom;
    Chooser m_chooser;
    std::array<QLineEdit *, ViewColors::UserStringCount> m_userEdits{};
};

// The system colour chooser with the full panel and the sixteen custom colours.
bool ChooseColorWithDialog(unsigned &color, CustomColors &custom, QWidget *parent);
