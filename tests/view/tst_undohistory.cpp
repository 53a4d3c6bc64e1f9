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
        QTest::newRow("typing then undo to the start and forward again")
            << "=startx =startxy =startxyz u u u u r r r r" << 100;
        QTest::newRow("a new change after two undos keeps the snapshot two ahead")
            << "=a =ab =abc =abcd u u =abX r r u u u u r r r" << 100;
        QTest::newRow("changes in the middle, at the start and the end")
            << "=s_t_a_r_t =X_t_a_r_t_Y =X_t__Y =_Y = u u u u u r r r r r" << 100;
        QTest::newRow("identical neighbours") << "=start =start =s u u r r" << 100;
        QTest::newRow("a change after undo, then one more, then forward")
            << "=1 =12 =123 =1234 u u u =9 =98 r r u u u u r r r r r" << 100;
        QTest::newRow("saved marks follow the saved state")
            << "=a =ab s =abc u u s r r u u u" << 100;
        QTest::newRow("saved in the middle of the history and overwritten")
            << "=a =ab =abc u s =Q r u" << 100;
        QTest::newRow("past the last slot the oldest goes")
            << "=1 =2 =3 =4 =5 =6 u u u u u r r r r r" << 4;
        QTest::newRow("oldest goes while a saved mark and undo are in play")
            << "s =1 =2 =3 u u =x =y =z =w u u u u r r r r" << 3;
        QTest::newRow("overwriting below the top at the last slot")
            << "=1 =2 =3 u u =a =b r u u u r" << 4;
    }
    void everySnapshotComesBack()
    {
        QFETCH(QString, script);
        QFETCH(int, capacity);
        RunScript(script, capacity);
    }

    void startResetsEverything()
    {
        UndoHistory history;
        history.Push(QStringLiteral("abc"), 1, 1, 1);
        history.Push(QStringLiteral("abcd"), 1, 1, 1);
        history.Start(QStringLiteral("new"), 2, 3);
        QCOMPARE(history.CurrentIndex(), 0);
        QCOMPARE(history.TopIndex(), 0);
        QVERIFY(!history.CanUndo());
        QVERIFY(!history.CanRedo());
        QVERIFY(history.IsSavedAt(0));
        QCOMPARE(history.SelStartAt(0), 2);
        QCOMPARE(history.SelEndAt(0), 3);
        QCOMPARE(history.TopLineAt(0), 0);
        QCOMPARE(history.TextAt(0), QStringLiteral("new"));
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
        QVERIFY2(history.DifferenceSize() <= 100, qPrintable(QString::number(history.DifferenceSize())));
        QCOMPARE(history.TextAt(0), QString(1000000, QLatin1Char('a')));
        QCOMPARE(history.TextAt(100), text);
    }

    void editsThatDoNotFitAreRefused_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result");
        QTest::newRow("a fitting replacement") << 2 << "cd" << true << "abXef";
        QTest::newRow("an insertion at the end") << 6 << "" << true << "abcdefX";
        QTest::newRow("removed text not there") << 2 << "xx" << false << "abcdef";
        QTest::newRow("past the end") << 5 << "fg" << false << "abcdef";
        QTest::newRow("negative position") << -1 << "" << false << "abcdef";
    }
    void editsThatDoNotFitAreRefused()
    {
        QFETCH(int, position);
        QFETCH(QString, removed);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        UndoHistory history;
        history.Start(QStringLiteral("abcdef"), 0, 0);
        QCOMPARE(history.PushEdit(TextEdit{position, removed, QStringLiteral("X")}, 0, 0, 0),
                 accepted);
        QCOMPARE(history.CurrentIndex(), accepted ? 1 : 0);
        QCOMPARE(history.CurrentText(), result);
        if (accepted) {
            const std::optional<UndoStep> back = history.Undo(0, 0);
            QVERIFY(back);
            QCOMPARE(back->edit.removed.size() + back->edit.inserted.size() <= 3, true);
            QCOMPARE(history.CurrentText(), QStringLiteral("abcdef"));
        }
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
        QTest::newRow("same low half") << QString::fromUtf8("a😀b") << QString::fromUtf8("a𐐀b");
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

    void selectionTrackingChangesTheCurrentSnapshotOnly()
    {
        UndoHistory history;
        history.Start(QStringLiteral("abc"), 0, 0);
        history.Push(QStringLiteral("abcd"), 0, 4, 4);
        history.StoreSelection(3, 1, 2);
        QCOMPARE(history.TopLineAt(1), 3);
        QCOMPARE(history.SelStartAt(1), 1);
        QCOMPARE(history.SelEndAt(1), 2);
        QCOMPARE(history.SelStartAt(0), 0);
        const std::uint64_t before = history.Revision();
        history.StoreSelection(3, 1, 2);
        QCOMPARE(history.Revision(), before);
    }
};

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
