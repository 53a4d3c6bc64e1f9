#pragma once

#include <QString>
#include <QUrl>

// The rules of the small text commands, on plain text with "\n" line breaks.

// "%%" in front of every selected line: the first at the selection start, every following one
// after each line break of the selection (so also the line after a selection that ends with a
// line break).
QString CommentedSelection(const QString &selected);
// The selection with every "%%" removed; a single "%" stays.
QString UncommentedSelection(const QString &selected);
// The text without its comment lines (lines whose first character is "%") and without the
// line breaks that led to them; nothing else changes. Indented comments stay.
QString WithoutCommentLines(const QString &text);

enum class EnvTemplate {
    EqnarrayStar,
    Eqnarray,
    Equation,
    Enumerate,
    Itemize,
    Array,
    Tabular,
    Center,
    Flushright,
    Flushleft,
    Document,
};

struct TemplateText {
    QString text;
    int caretOffset = 0; // from the start of the inserted text
};

// The inserted lines of an environment template, each ended by a line break; the document
// template depends on the interface language.
TemplateText EnvironmentTemplate(EnvTemplate which, bool english);

// The web search page for a selected text; the query is encoded.
QUrl WebSearchUrl(const QString &selected);
