// A save killed at any moment: a child process saves a 50 MB document with its backup and is
// killed with SIGKILL, at 200 random moments and once after each step of the writer. After each
// kill the document must be the whole old or the whole new text and the .bak the whole old
// .bak or the whole old document. Prints how many runs left both so.
//
//   build/bench/bench_crash [random-runs]

#include "app/FileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <csignal>
#include <unistd.h>

namespace {

constexpr qsizetype DocumentBytes = 50 * 1024 * 1024;

// Two versions that differ all through, so that any mixture of them is told apart.
QByteArray Version(char c)
{
    QByteArray line(79, c);
    line += '\n';
    QByteArray text;
    text.reserve(DocumentBytes);
    while (text.size() + line.size() <= DocumentBytes)
        text += line;
    return text;
}

// The real file system, ending the process after its n-th step.
class KillingFileSystem final : public SaveFileSystem {
public:
    explicit KillingFileSystem(int killAfter)
        : m_killAfter(killAfter)
    {
    }
    bool Create(const QString &p) override { return Step(m_real->Create(p)); }
    bool Write(const QByteArray &b) override { return Step(m_real->Write(b)); }
    bool Flush() override { return Step(m_real->Flush()); }
    bool Sync() override { return Step(m_real->Sync()); }
    bool Close() override { return Step(m_real->Close()); }
    bool SetPermissions(const QString &p, QFileDevice::Permissions q) override
    {
        return Step(m_real->SetPermissions(p, q));
    }
    bool Link(const QString &a, const QString &b) override { return Step(m_real->Link(a, b)); }
    bool Read(const QString &p, QByteArray &b) override { return Step(m_real->Read(p, b)); }
    bool Rename(const QString &a, const QString &b) override { return Step(m_real->Rename(a, b)); }
    bool Remove(const QString &p) override { return Step(m_real->Remove(p)); }
    QString ErrorString() const override { return m_real->ErrorString(); }
    int Steps() const { return m_steps; }

private:
    bool Step(bool ok)
    {
        if (++m_steps == m_killAfter)
            ::kill(::getpid(), SIGKILL);
        return ok;
    }
    int m_killAfter;
    int m_steps = 0;
    std::unique_ptr<SaveFileSystem> m_real = MakeRealFileSystem();
};

// The child: saves the version named over path; prints the number of steps it took.
int Save(const QString &path, char version, int killAfter)
{
    KillingFileSystem fs(killAfter);
    const WriteResult result = WriteFileSafely(path, Version(version), {true, {}}, fs);
    QTextStream(stdout) << fs.Steps() << '\n';
    return result.error == WriteError::None ? 0 : 1;
}

char Classify(const QString &path, const QByteArray &a, const QByteArray &b)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return '-';
    const QByteArray bytes = file.readAll();
    return bytes == a ? 'a' : bytes == b ? 'b' : '?';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == u"--save")
        return Save(args.value(2), args.value(3).at(0).toLatin1(), args.value(4).toInt());
    const int randomRuns = args.size() > 1 ? args.value(1).toInt() : 200;

    QTextStream out(stdout);
    const QByteArray a = Version('a');
    const QByteArray b = Version('b');
    QTemporaryDir dir;
    const QString doc = dir.filePath("doc.tex");
    for (const auto &[path, bytes] : {std::pair{doc + ".bak", &b}, std::pair{doc, &a}}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size())
            return 2;
    }

    char onDisk = 'a';
    char backup = 'b';
    int whole = 0;
    int runs = 0;
    int leftovers = 0;
    // One save: -1 runs it to its end (killed at a random moment by the caller's timer), n > 0
    // ends it after the writer's n-th step.
    const auto run = [&](int killAfter, int delayMs) {
        const char next = onDisk == 'a' ? 'b' : 'a';
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--save", doc, QString(QLatin1Char(next)), QString::number(killAfter)});
        child.waitForStarted();
        if (delayMs >= 0 && !child.waitForFinished(delayMs))
            child.kill();
        child.waitForFinished(-1);
        const char nowDoc = Classify(doc, a, b);
        const char nowBak = Classify(doc + ".bak", a, b);
        const bool ok =
            (nowDoc == onDisk || nowDoc == next) && (nowBak == backup || nowBak == onDisk);
        if (!ok)
            out << "  lost: killed "
                << (delayMs >= 0 ? "at " + QString::number(delayMs) + " ms"
                                 : "after step " + QString::number(killAfter))
                << ", document '" << nowDoc << "', .bak '" << nowBak << "'\n";
        onDisk = nowDoc;
        backup = nowBak;
        // A killed save leaves its temporary files; they would fill the disk over 200 runs.
        const QDir folder(dir.path());
        for (const QString &name : folder.entryList({".*.tmp"}, QDir::Files | QDir::Hidden)) {
            QFile::remove(folder.filePath(name));
            ++leftovers;
        }
        whole += ok ? 1 : 0;
        ++runs;
        return QString::fromLatin1(child.readAllStandardOutput()).trimmed().toInt();
    };

    QElapsedTimer timer;
    timer.start();
    const int steps = run(0, -1);
    const qint64 saveMs = timer.elapsed();
    out << "one uninterrupted save of 50 MB in a child process: " << saveMs << " ms, " << steps
        << " steps\n";

    runs = whole = 0;
    for (int n = 1; n <= steps; ++n)
        run(n, -1);
    out << "killed after each step: " << whole << " of " << runs << " runs whole\n";
    const int stepRuns = runs, stepWhole = whole;

    runs = whole = 0;
    for (int i = 0; i < randomRuns; ++i)
        run(0, int(QRandomGenerator::global()->bounded(saveMs + 1)));
    out << "killed at random moments: " << whole << " of " << runs << " runs whole\n";
    const int losses = (stepRuns - stepWhole) + (runs - whole);
    out << "temporary files left by killed saves (removed between runs): " << leftovers << '\n';
    out << "losses: " << losses << " (target 0)\n";
    return losses == 0 ? 0 : 1;
}
