#include "view/TextCommands.h"

#include <QStringList>

QString CommentedSelection(const QString &selected)
{
    QString out = QStringLiteral("%%") + selected;
    out.replace(QLatin1Char('\n'), QStringLiteral("\n%%"));
    return out;
}

QString UncommentedSelection(const QString &selected)
{
    QString out = selected;
    out.remove(QStringLiteral("%%"));
    return out;
}

QString WithoutCommentLines(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList kept;
    kept.reserve(lines.size());
    kept << lines.first();
    // A comment line goes together with the line break in front of it.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines.at(i).startsWith(QLatin1Char('%')))
            kept << lines.at(i);
    }
    // The first line has no break in front: it takes the one after it along, if any.
    if (kept.first().startsWith(QLatin1Char('%')))
        kept.removeFirst();
    return kept.isEmpty() ? QString() : kept.join(QLatin1Char('\n'));
}

namespace {
// caret counts each line break as two characters, as the templates were first written for
// CR-LF text; here a break is one.
TemplateText Lines(std::initializer_list<const char *> lines, int caret)
{
    TemplateText t;
    for (const char *line : lines)
        t.text += QString::fromUtf8(line) + QLatin1Char('\n');
    int counted = 0;
    int offset = 0;
    while (counted < caret && offset < t.text.size())
        counted += t.text.at(offset++) == QLatin1Char('\n') ? 2 : 1;
    t.caretOffset = offset;
    return t;
}
} // namespace

TemplateText EnvironmentTemplate(EnvTemplate which, bool english)
{
    switch (which) {
    case EnvTemplate::EqnarrayStar:
        return Lines({"\\begin{eqnarray*}", "", "\\\\", "&&", "\\end{eqnarray*}"}, 19);
    case EnvTemplate::Eqnarray:
        return Lines({"\\begin{eqnarray}", "", "\\\\", "&&", "\\end{eqnarray}"}, 18);
    case EnvTemplate::Equation:
        return Lines({"\\begin{equation}", "", "\\end{equation}"}, 18);
    case EnvTemplate::Enumerate:
        return Lines({"\\begin{enumerate}", "\\item ", "", "\\item ", "", "\\end{enumerate}"}, 27);
    case EnvTemplate::Itemize:
        return Lines({"\\begin{itemize}", "\\item ", "", "\\item ", "", "\\end{itemize}"}, 25);
    case EnvTemplate::Array:
        return Lines({"\\begin{array}{cc}", " & ", "\\\\", " & ", "\\end{array}"}, 19);
    case EnvTemplate::Tabular:
        return Lines({"\\begin{tabular}{cc}", " & ", "\\\\", " & ", "\\end{tabular}"}, 21);
    case EnvTemplate::Center:
        return Lines({"\\begin{center}", "", "\\end{center}"}, 16);
    case EnvTemplate::Flushright:
        return Lines({"\\begin{flushright}", "", "\\end{flushright}"}, 20);
    case EnvTemplate::Flushleft:
        return Lines({"\\begin{flushleft}", "", "\\end{flushleft}"}, 19);
    case EnvTemplate::Document:
        if (english)
            return Lines({"\\documentclass{article} % 10pt ",
                          "%\\documentclass[12pt]{article} % 12pt ", "\\begin{document}",
                          "\\title{", "}", "\\author{", "}", "\\date{", "}", "%\\date{\\today} ",
                          "", "\\maketitle", "\\section{", "}", "", "", "\\end{document}"},
                         18);
        return Lines({"\\documentclass[a4j]{jarticle} % 基本はこれ, 10pt 文字",
                      "%\\documentclass[a4j,12pt]{jarticle} % 12pt 文字",
                      "%\\documentclass[a4paper]{jarticle} % ", "\\begin{document}", "\\title{",
                      "}", "\\author{", "}", "\\date{", "}",
                      "%\\date{\\today} % compile した日付にしたいとき", "", "\\maketitle",
                      "\\section{", "}", "", "", "\\end{document}"},
                     18);
    }
    return {};
}

QUrl WebSearchUrl(const QString &selected)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("www.google.com"));
    url.setPath(QStringLiteral("/search"));
    // Every reserved character is encoded, "+" too: a search page reads "+" as a space.
    url.setQuery(QStringLiteral("q=") + QString::fromLatin1(QUrl::toPercentEncoding(selected)),
                 QUrl::StrictMode);
    return url;
}
