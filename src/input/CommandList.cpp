#include "input/CommandList.h"

#include "app/TextFile.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QStringList>

#include <QSet>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {
const QString kCommands = QStringLiteral("\\COMMANDS");
const QString kFirstGroup = QStringLiteral("%a");

QString Percents(int n)
{
    return QString(n, QLatin1Char('%'));
}

// Characters that end a command name without belonging to it.
bool EndsNameOutside(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\n':
    case '$':
    case '\\':
    case '}':
    case ']':
    case '(':
    case ')':
    case ',':
    case ';':
    case ':':
    case '=':
    case '+':
    case '-':
    case '>':
    case '<':
        return true;
    default:
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    }
}

// Characters that end a command name as its last character ("begin{", "section[").
bool EndsNameInside(QChar c)
{
    return c == QLatin1Char('{') || c == QLatin1Char('[') || c == QLatin1Char('_')
           || c == QLatin1Char('^');
}

bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The first "%" to the end of its line, line break included, goes; lines join up.
QString WithoutComments(const QString &chunk)
{
    QString out;
    out.reserve(chunk.size());
    for (qsizetype i = 0; i < chunk.size(); ++i) {
        if (chunk.at(i) != QLatin1Char('%')) {
            out.append(chunk.at(i));
            continue;
        }
        const qsizetype lf = chunk.indexOf(QLatin1Char('\n'), i);
        if (lf < 0)
            break;
        i = lf;
    }
    return out;
}

QString DocumentBody(const QString &text)
{
    static const QString begin = QStringLiteral("\\begin{document}");
    static const QString end = QStringLiteral("\\end{document}");
    const qsizetype b = text.indexOf(begin);
    const qsizetype from = b < 0 ? 0 : b + begin.size();
    const qsizetype e = text.indexOf(end, from);
    return text.mid(from, e < 0 ? -1 : e - from);
}

// The list's lines, with the first line of each key (text before the first TAB, or before
// the first "%") found without a search through the whole list for every command.
class ListLines {
public:
    explicit ListLines(const QString &list)
        : m_lines(list.split(QLatin1Char('\n')))
    {
        m_removed.resize(m_lines.size());
        for (int i = 0; i < m_lines.size(); ++i) {
            const QString &line = m_lines.at(i);
            const qsizetype tab = line.indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                m_byTab.insert(line.left(tab), i);
            const qsizetype pct = line.indexOf(QLatin1Char('%'));
            if (pct >= 0)
                m_byPercent.insert(line.left(pct), i);
        }
    }

    // The first remaining line that begins with name + separator; -1 when there is none.
    int Find(const QString &name, QChar separator)
    {
        if (!name.contains(QLatin1Char('\t'))) {
            const auto &index = separator == QLatin1Char('\t') ? m_byTab : m_byPercent;
            int best = -1;
            for (auto it = index.constFind(name); it != index.cend() && it.key() == name; ++it) {
                if (!m_removed.at(it.value()) && (best < 0 || it.value() < best))
                    best = it.value();
            }
            return best;
        }
        // A name with a TAB in it (a stray TAB after a command) cannot use the index.
        const QString start = name + separator;
        for (int i = 0; i < m_lines.size(); ++i) {
            if (!m_removed.at(i) && m_lines.at(i).startsWith(start))
                return i;
        }
        return -1;
    }
    const QString &Line(int i) const { return m_lines.at(i); }
    void Remove(int i) { m_removed[i] = true; }
    QStringList Remaining() const
    {
        QStringList out;
        for (int i = 0; i < m_lines.size(); ++i) {
            if (!m_removed.at(i))
                out.append(m_lines.at(i));
        }
        return out;
    }

private:
    QStringList m_lines;
    QList<bool> m_removed;
    QMultiHash<QString, int> m_byTab;
    QMultiHash<QString, int> m_byPercent;
};

qint64 SaturatingSum(qint64 a, qint64 b)
{
    const qint64 max = std::numeric_limits<int>::max();
    const qint64 min = std::numeric_limits<int>::min();
    return std::clamp(a + b, min, max);
}

QString EntryName(const QString &line)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    return tab < 0 ? line : line.left(tab);
}

// The group separator written after a letter's group.
QString GroupSeparator(QChar letter)
{
    const char c = static_cast<char>(letter.unicode());
    if (c >= 'a' && c <= 'z')
        return QStringLiteral("\n\n%") + QChar::fromLatin1(static_cast<char>(c - 'a' + 'A'));
    if (c == 'Z')
        return QStringLiteral("\n\n");
    return QStringLiteral("\n\n%") + QChar::fromLatin1(static_cast<char>(c - 'A' + 'a' + 1));
}

QString Regroup(const QStringList &all)
{
    QHash<QChar, QStringList> groups;
    QSet<QString> seen;
    for (const QString &line : all) {
        if (line.isEmpty() || !IsAsciiLetter(line.at(0)) || seen.contains(line))
            continue;
        seen.insert(line);
        groups[line.at(0)].append(line);
    }
    QString out;
    for (char lower = 'a'; lower <= 'z'; ++lower) {
        for (const QChar letter :
             {QChar::fromLatin1(lower), QChar::fromLatin1(static_cast<char>(lower - 'a' + 'A'))}) {
            QStringList group = groups.value(letter);
            std::stable_sort(group.begin(), group.end(), [](const QString &a, const QString &b) {
                return EntryName(a) < EntryName(b);
            });
            QList<int> counts;
            counts.reserve(group.size());
            for (const QString &line : group)
                counts.append(EntryCount(line));
            QList<int> order(group.size());
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(),
                             [&counts](int a, int b) { return counts.at(a) > counts.at(b); });
            for (int i : order) {
                out += QLatin1Char('\n');
                out += group.at(i);
            }
            out += QLatin1Char('\n');
            out += GroupSeparator(letter);
        }
    }
    return out;
}
} // namespace

QString ReadCommandList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(MaxDocumentBytes);
    if (!bytes.contains('\0')) {
        // The list is read at every popup: UTF-8 (what the program writes) is taken without
        // asking nkf, whose start alone would be felt while typing.
        QString encoding = GuessEncodingWithoutNkf(bytes);
        if (encoding != QLatin1String("UTF-8"))
            encoding = GuessEncoding(bytes);
        if (!encoding.isEmpty()) {
            const QString text = DecodeText(bytes, encoding);
            if (!text.isNull())
                return text;
        }
    }
    // Damaged bytes: keep every character that can be read so that the entries still count.
    bytes.replace('\0', "");
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString StandardDescription(bool english)
{
    if (english) {
        return QStringLiteral(
                   "\ninput_tex.mme \n"
                   "This auxiliary file is a list of TeX commands more than 3 characters. \n\n"
                   "1. This file can be created by the menu command \n"
                   "\t\"Help\" -> \"Settings\" -> \"Make TeX Input file\" \n"
                   "   from the opened existing TeX document. \n"
                   "2. By using another TeX file, you can add other TeX commands. \n"
                   "3. The input list is consisted by items as follows: \n\n"
                   "alpha\t473\n"
                   "\"(CRLF)a-z(TAB)123\", i.e., \"(RETURN)word(TAB)number\" \n\n"
                   "To get each word of the list, \n"
                   "the program finds \"(CRLF)a-z\" and the next \"TAB\". \n"
                   "Each number means frequency of the word. \n"
                   "(It will be used to remake this file by frequency order.)\n"
                   "[WARNIGN: If the number of frequency is too big (10^100 ?), then error may "
                   "occur. ]\n"
                   "If you want to create a new input_tex.mme, then delete (or rename) this "
                   "file. \n")
               + Percents(79)
               + QStringLiteral("\nYOUR NOTE: (Write your new commands, etc)\n\n\n\n\n\n")
               + Percents(80) + QStringLiteral("\n[The above part is ignored.] \n");
    }
    return QStringLiteral(
               "\ninput_tex.mme \n"
               "この補助ファイルは、3 文字を超える TeX コマンドの一覧です。 \n\n"
               "1. このファイルは、メニューのコマンド \n"
               "\t「ヘルプ」→「設定」→「入力支援ファイルの作成」 \n"
               "   で、開いている既存の TeX 文書から作ることができます。 \n"
               "2. 別の TeX ファイルで同じコマンドを使えば、そのコマンドが追加されます。 \n"
               "3. 一覧は次のような項目からできています： \n\n"
               "alpha\t473\n"
               "「(改行)a-z(TAB)123」、つまり「(改行)単語(TAB)数」 \n\n"
               "一覧の各単語は、 \n"
               "「(改行)a-z」から次の「TAB」までとして読み取られます。 \n"
               "数は、その単語が使われた回数（頻度）です。 \n"
               "（このファイルを頻度順に作り直すときに使われます。）\n"
               "[注意: 頻度の数が大きすぎると (10^100 ?)、エラーになることがあります。 ]\n"
               "新しい input_tex.mme を作りたいときは、このファイルを削除（または名前を変更）"
               "して下さい。 \n")
           + Percents(79)
           + QStringLiteral("\nメモ欄: (新しいコマンドなどを書いて下さい)\n\n\n\n\n\n")
           + Percents(80) + QStringLiteral("\n[この上の部分は読み飛ばされます。] \n");
}

QString CommandListMarker(bool english)
{
    if (english) {
        return QStringLiteral("\\COMMANDS \t Don't write \"\\COMMANDS\" in the above part. \n"
                              "%a \t\t Don't write \"%a\" in the above part. ");
    }
    return QStringLiteral("\\COMMANDS \t 上の部分に \"\\COMMANDS\" は書かないで下さい。\n"
                          "%a \t\t 上の部分に \"%a\" は書かないで下さい。");
}

CommandListParts SplitCommandList(const QString &content)
{
    CommandListParts parts;
    if (content.isEmpty())
        return parts;
    qsizetype p1 = content.indexOf(kCommands);
    p1 = p1 < 0 ? 0 : p1;
    qsizetype p2 = content.indexOf(kFirstGroup, p1);
    p2 = p2 < 0 ? 0 : p2;
    qsizetype p3 = content.indexOf(QStringLiteral("\na"), p2);
    p3 = p3 < 0 ? 0 : p3;
    parts.header = content.left(p1);
    parts.list = content.mid(p3);
    return parts;
}

int EntryCount(const QString &line)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0 || tab + 1 >= line.size())
        return 1;
    // Leading blanks, a sign, then digits up to the first other character.
    qsizetype i = tab + 1;
    while (i < line.size() && (line.at(i) == QLatin1Char(' ') || line.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < line.size() && (line.at(i) == QLatin1Char('-') || line.at(i) == QLatin1Char('+'))) {
        negative = line.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < line.size() && line.at(i).isDigit() && line.at(i).unicode() < 128; ++i)
        value = std::min(limit, value * 10 + (line.at(i).unicode() - '0'));
    if (negative)
        return static_cast<int>(std::max(-value, qint64(std::numeric_limits<int>::min())));
    return static_cast<int>(std::min(value, qint64(std::numeric_limits<int>::max())));
}

QString MergeCommandCounts(const QString &list, const QString &chunk)
{
    QString text = WithoutComments(chunk);
    for (const char *pair : {"\\\\", "\\ ", "\\|", "\\[", "\\{", "\\\"", "\\]", "\\}"})
        text.replace(QLatin1String(pair), QStringLiteral("\n"));
    QString body = DocumentBody(text);

    ListLines old(list);
    QStringList entries;
    qsizetype pos = 0;
    while (true) {
        const qsizetype slash = body.indexOf(QLatin1Char('\\'), pos);
        if (slash < 0)
            break;
        qsizetype end = slash + 1;
        while (end < body.size() && !EndsNameOutside(body.at(end)) && !EndsNameInside(body.at(end)))
            ++end;
        if (end < body.size() && EndsNameInside(body.at(end)))
            ++end;
        const QString name = body.mid(slash + 1, end - slash - 1);
        if (name.isEmpty()) {
            pos = slash + 1;
            continue;
        }
        const QString command = QLatin1Char('\\') + name;
        qint64 count = body.count(command);
        body.replace(command, QStringLiteral(" "));
        pos = slash;

        QString description;
        if (!list.isEmpty()) {
            int line = old.Find(name, QLatin1Char('\t'));
            if (line >= 0) {
                count = SaturatingSum(count, EntryCount(old.Line(line)));
                old.Remove(line);
            } else if ((line = old.Find(name, QLatin1Char('%'))) >= 0) {
                const QString &text = old.Line(line);
                count = SaturatingSum(count, EntryCount(text));
                description = EntryName(text).mid(name.size());
                old.Remove(line);
            }
        }
        if (name.size() >= 2)
            entries.append(name + description + QLatin1Char('\t') + QString::number(count));
    }
    return Regroup(entries + old.Remaining());
}

QString MakeCommandListText(const QString &oldContent, const QString &document, bool english)
{
    CommandListParts parts = SplitCommandList(oldContent);
    if (parts.header.isEmpty())
        parts.header = StandardDescription(english);
    QString list = parts.list;
    qsizetype start = 0;
    const qsizetype maxChunks = document.size() / CommandChunkLength + 1;
    for (qsizetype n = 0; n < maxChunks; ++n) {
        qsizetype end = document.indexOf(QLatin1Char('\\'), start + CommandChunkLength);
        if (end < 0)
            end = document.size();
        if (end - start < 3)
            break;
        list = MergeCommandCounts(list, document.mid(start, end - start));
        start = end;
    }
    return parts.header + CommandListMarker(english) + list;
}
