#include "view/UndoHistory.h"

#include <QTest>

namespace {
// The history as plain arrays of whole texts: what every snapshot must come back as.
struct Model {
    struct Slot {
        QString text;
        int top = 0, start = 0, end = 0;
        bool saved = false;
    };
    int capacity;
    QList<Slot> slots;
    int current = 0, topIndex = 0;

    explicit Model(int cap, const QString &text) : capacity(cap)
    {
        slots.append(Slot{text, 0, 0, 0, true});
    }
    void Push(const QString &text, int top, int start, int end)
    {
        ++current;
        const Slot slot{text, top, start, end, false};
        if (current < slots.size())
            slots[current] = slot;
        else
            slots.append(slot);
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
// Steps: "=TEXT" records TEXT, "u" undo, "r" undo forward, "s" marks the saved state.
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
        } else if (step == QLatin1String("u") || step == QLatin1String("r")) {
            const bool undo = step == QLatin1String("u");
            const std::optional<UndoStep> result = undo ? history.Undo(n, n) : history.Redo();
            const bool possible = undo ? model.current > 0 : model.current < model.topIndex;
            QCOMPARE(result.has_value(), possible);
            if (!result)
                continue;
            if (undo) {
                model.slots[model.current].start = n;
                model.slots[model.current].end = n;
            }
            model.current += undo ? -1 : 1;
            const UndoStep &s = *result;
            QCOMPARE(shown.mid(s.edit.position, s.edit.removed.size()), s.edit.removed);
            shown.replace(s.edit.position, s.edit.removed.size(), s.edit.inserted);
            const Model::Slot &slot = model.slots[model.current];
            QCOMPARE(s.topLine, slot.top);
            QCOMPARE(s.selStart, slot.start);
            QCOMPARE(s.selEnd, slot.end);
            QCOMPARE(s.saved, slot.saved);
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
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("capacity");
        QTest::newRow("a new change after two undos keeps the snapshot two ahead")
            << "=a =ab =abc =abcd u u =abX r r u u u u r r r" << 100;
        QTest::newRow("changes at the start, in the middle and at the end")
            << "=s_t_a_r_t =X_t_a_r_t_Y =X_t__Y =_Y = u u u u u r r r r r" << 100;
        QTest::newRow("saved marks follow the saved state")
            << "=a =ab s =abc u u s r r u u u" << 100;
        QTest::newRow("saved in the middle, then overwritten") << "=a =ab =abc u s =Q r u" << 100;
        QTest::newRow("past the last slot the oldest goes")
            << "=1 =2 =3 =4 =5 =6 u u u u u r r r r r" << 4;
        QTest::newRow("oldest goes with saved marks and undo in play")
            << "s =1 =2 =3 u u =x =y =z =w u u u u r r r r" << 3;
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

    void editsThatDoNotFitAreRefused_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("result"); // unchanged: refused
        QTest::newRow("a fitting replacement") << 2 << "cd" << "abXef";
        QTest::newRow("removed text not there") << 2 << "xx" << "abcdef";
        QTest::newRow("past the end") << 5 << "fg" << "abcdef";
    }
    void editsThatDoNotFitAreRefused()
    {
        QFETCH(int, position);
        QFETCH(QString, removed);
        QFETCH(QString, result);
        UndoHistory history;
        history.Start(QStringLiteral("abcdef"), 0, 0);
        const bool accepted = result != QLatin1String("abcdef");
        QCOMPARE(history.PushEdit(TextEdit{position, removed, QStringLiteral("X")}, 0, 0, 0),
                 accepted);
        QCOMPARE(history.CurrentIndex(), accepted ? 1 : 0);
        QCOMPARE(history.CurrentText(), result);
    }

    void anEditWithAnUnchangedMarginIsStoredSmall()
    {
        UndoHistory history;
        history.Start(QStringLiteral("hello world"), 0, 0);
        // The caller reports the whole line as changed; only one letter really is.
        QVERIFY(history.PushEdit(TextEdit{0, QStringLiteral("hello world"),
                                          QStringLiteral("hello World")}, 0, 0, 0));
        QCOMPARE(history.DifferenceSize(), 2);
        const std::optional<UndoStep> back = history.Undo(0, 0);
        QCOMPARE(back->edit.position, 6);
    }

    void surrogatePairsAreNeverSplit_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("same high half") << QString::fromUtf8("a😀b") << QString::fromUtf8("a😁b");
        QTest::newRow("pair removed") << QString::fromUtf8("x😀😀y") << QString::fromUtf8("x😀y");
    }
    void surrogatePairsAreNeverSplit()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        UndoHistory history;
        history.Start(from, 0, 0);
        history.Push(to, 0, 0, 0);
        const std::optional<UndoStep> back = history.Undo(0, 0);
        QVERIFY(back);
        for (const QString &piece : {back->edit.removed, back->edit.inserted}) {
            if (piece.isEmpty())
                continue;
            QVERIFY(!piece.front().isLowSurrogate());
            QVERIFY(!piece.back().isHighSurrogate());
        }
        QCOMPARE(history.CurrentText(), from);
    }

};

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
