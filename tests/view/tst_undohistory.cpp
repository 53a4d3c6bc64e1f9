#include "support/Columns.h"
#include "view/UndoHistory.h"

#include <QtTest>

namespace {
// The history as plain arrays of whole texts: what every snapshot must come back as.
struct Model {
    struct Slot { QString text; int top = 0, start = 0, end = 0; bool saved = false; };
    int capacity;
    QList<Slot> slots;
    int current = 0, topIndex = 0;

    explicit Model(int cap, const QString &text) : capacity(cap), slots{Slot{text, 0, 0, 0, true}} {}
    void Push(const QString &text, int top, int start, int end)
    {
        slots.resize(std::max<qsizetype>(slots.size(), ++current + 1));
        slots[current] = Slot{text, top, start, end, false};
        topIndex = std::max(topIndex, current);
        if (slots.size() > capacity) {
            slots.removeFirst();
            --current;
            --topIndex;
        }
    }
};

// Runs a script of steps on a history and on the model, with a third copy of the text that is
// changed only by the edits the history hands out (what the editor widget would show).
// Steps: "=TEXT" records TEXT, "~TEXT" makes it the current one's, "u" undo, "r" undo forward, "s" saved.
void RunScript(const QString &script, int capacity)
{
    const QStringList steps = script.split(QLatin1Char(' '));
    UndoHistory history(capacity);
    Model model(capacity, QStringLiteral("start"));
    history.Start(QStringLiteral("start"), 0, 0);
    QString shown = QStringLiteral("start");
    int n = 0;
    for (const QString &step : steps) {
        ++n;
        if (step.startsWith(QLatin1Char('='))) {
            shown = step.mid(1).replace(QLatin1Char('_'), QLatin1Char(' '));
            history.Push(shown, n, n, n + 1);
            model.Push(shown, n, n, n + 1);
        } else if (step.startsWith(QLatin1Char('~'))) {
            history.Amend(model.slots[model.current].text = shown = step.mid(1));
        } else if (step == QLatin1String("u") || step == QLatin1String("r")) {
            const bool undo = step == QLatin1String("u");
            const std::optional<UndoStep> result = undo ? history.Undo(n, n) : history.Redo();
            const bool possible = undo ? model.current > 0 : model.current < model.topIndex;
            QCOMPARE(result.has_value(), possible);
            if (!result)
                continue;
            if (undo)
                model.slots[model.current].start = model.slots[model.current].end = n;
            model.current += undo ? -1 : 1;
            const UndoStep &s = *result;
            QCOMPARE(shown.mid(s.edit.position, s.edit.removed.size()), s.edit.removed);
            shown.replace(s.edit.position, s.edit.removed.size(), s.edit.inserted);
            const Model::Slot &slot = model.slots[model.current];
            QCOMPARE((QList<int>{s.topLine, s.selStart, s.selEnd, s.saved}), (QList<int>{slot.top, slot.start, slot.end, slot.saved}));
        } else if (step == QLatin1String("s")) {
            history.MarkSaved();
            for (int i = 0; i <= model.topIndex; ++i)
                model.slots[i].saved = i == model.current;
        }
        QCOMPARE(history.CurrentIndex(), model.current);
        QCOMPARE(history.TopIndex(), model.topIndex);
        QCOMPARE(shown, model.slots[model.current].text);
        QCOMPARE(history.CurrentText(), shown);
        for (int i = 0; i <= model.topIndex; ++i) {
            QCOMPARE(history.TextAt(i), model.slots[i].text);
            QCOMPARE(history.IsSavedAt(i), model.slots[i].saved);
        }
    }
}
} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everySnapshotComesBack_data()
    {
        Columns<QString, int>({"script", "capacity"});
        QTest::newRow("a new change after two undos keeps the snapshot two ahead") << "=a =ab =abc =abcd u u =abX r r u u u u r r r" << 100;
        QTest::newRow("changes at the start, in the middle and at the end") << "=s_t_a_r_t =X_t_a_r_t_Y =X_t__Y =_Y = u u u u u r r r r r" << 100;
        QTest::newRow("saved marks follow the saved state") << "=a =ab s =abc u u s r r u u u" << 100;
        QTest::newRow("saved in the middle, then overwritten") << "=a =ab =abc u s =Q r u" << 100;
        QTest::newRow("an amended snapshot is no step; its neighbours still come back") << "~%start =a =ab =abc u ~%ab u r r u ~%%ab u r" << 100;
        QTest::newRow("past the last slot the oldest goes") << "=1 =2 =3 =4 =5 =6 u u u u u r r r r r" << 4;
        QTest::newRow("oldest goes with saved marks and undo in play") << "s =1 =2 =3 u u =x =y =z =w u u u u r r r r" << 3;
    }
    void everySnapshotComesBack()
    {
        QFETCH(QString, script);
        QFETCH(int, capacity);
        RunScript(script, capacity);
    }

    void memoryFollowsTheEdits()
    {
        // A document of a million characters edited a hundred times one character at a time.
        QString text(1000000, QLatin1Char('a'));
        UndoHistory history;
        history.Start(text, 0, 0);
        for (int i = 0; i < 100; ++i) {
            text.insert(500000 + i * 7, QLatin1Char('b' + i % 20));
            history.Push(text, 0, 0, 0);
        }
        QVERIFY(history.DifferenceSize() <= 100);
        QCOMPARE(history.TextAt(0), QString(1000000, QLatin1Char('a')));
        QCOMPARE(history.TextAt(100), text);
    }

    // An edit is taken only where its removed text stands: the text after it and the step.
    void rules_data()
    {
        RuleColumns();
        const auto edited = [](int position, const QString &removed) {
            UndoHistory history;
            history.Start(QStringLiteral("abcdef"), 0, 0);
            const bool accepted = history.PushEdit(TextEdit{position, removed, QStringLiteral("X")}, 0, 0, 0);
            return history.CurrentText() + u'@' + QString::number(history.CurrentIndex() * 10 + accepted);
        };
        Rule("a fitting replacement", edited(2, "cd"), "abXef@11");
        Rule("removed text not there", edited(2, "xx"), "abcdef@0");
        Rule("past the end", edited(5, "fg"), "abcdef@0");
        const auto split = [](const QString &from, const QString &to) {
            UndoHistory history;
            history.Start(from, 0, 0);
            history.Push(to, 0, 0, 0);
            const std::optional<UndoStep> back = history.Undo(0, 0);
            bool whole = back.has_value();
            for (const QString &piece : {back.value_or(UndoStep{}).edit.removed, back.value_or(UndoStep{}).edit.inserted})
                whole = whole && (piece.isEmpty() || (!piece.front().isLowSurrogate() && !piece.back().isHighSurrogate()));
            return whole ? history.CurrentText() : QStringLiteral("split");
        };
        // An edit never splits a surrogate pair.
        Rule("same high half", split("a😀b", "a😁b"), "a😀b");
        Rule("pair removed", split("x😀😀y", "x😀y"), "x😀😀y");
    }
    void rules() { CompareRule(); }

    void anEditWithAnUnchangedMarginIsStoredSmall()
    {
        UndoHistory history;
        history.Start(QStringLiteral("hello world"), 0, 0);
        // The caller reports the whole line as changed; only one letter really is.
        QVERIFY(history.PushEdit(TextEdit{0, QStringLiteral("hello world"), QStringLiteral("hello World")}, 0, 0, 0));
        QCOMPARE(history.DifferenceSize(), 2);
        const std::optional<UndoStep> back = history.Undo(0, 0);
        QCOMPARE(back->edit.position, 6);
    }
};

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
