// The user manual: the help file the build assembles beside the program holds
// every chapter, and Help > Contents opens it from the program folder, in a
// browser or, without one, in the program's own help window.

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "command_table.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "help_window.h"
#include "program_folder.h"

namespace telvor::testing {
namespace {

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString PlainText(QString fragment) {
    return fragment.remove(QRegularExpression("<[^>]+>")).simplified();
}

}  // namespace

// Stands in for the desktop's handler of files: records what it is asked to open.
class FileOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

class ManualTest : public QObject {
    Q_OBJECT
private slots:
    void theHelpFileHoldsEveryChapterWithContentsAndPictures() {
        const QString manual = FileText(TELVOR_HELP_FILE);
        QVERIFY2(!manual.isEmpty(), TELVOR_HELP_FILE);
        const QStringList chapters = QDir(TELVOR_MANUAL_DIR).entryList({"*.html"}, QDir::Files, QDir::Name);
        QVERIFY(chapters.size() >= 6);
        const QRegularExpression heading("<h2[^>]*>(.*?)</h2>", QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpression picture("<img\\b");
        qsizetype pictures = 0;
        qsizetype lastAt = -1;
        for (const QString& name : chapters) {
            const QString chapter = FileText(QString(TELVOR_MANUAL_DIR) + "/" + name);
            const QRegularExpressionMatch h2 = heading.match(chapter);
            QVERIFY2(h2.hasMatch(), qPrintable(name));
            const QString title = PlainText(h2.captured(1));
            // In the table of contents as a link, and as a heading in name order.
            QVERIFY2(QRegularExpression("<li><a href=\"#[^\"]+\">" + QRegularExpression::escape(title.toHtmlEscaped()))
                         .match(manual)
                         .hasMatch(),
                     qPrintable(title));
            const qsizetype at = manual.indexOf(h2.captured(1) + "</h2>", manual.indexOf("</nav>"));
            QVERIFY2(at > lastAt, qPrintable(name));
            lastAt = at;
            pictures += chapter.count(picture);
        }
        QVERIFY(pictures > 0);
        QCOMPARE(manual.count("src=\"data:image/png;base64,"), pictures);
        QVERIFY(manual.contains("<title>VarnoxLink Help</title>"));
    }

    void helpOpensTheManualInTheProgramFolder() {
        GuiRig rig;
        const QString installed = QString::fromStdString(HelpFilePath(rig.Folder()));
        QVERIFY(QFile::copy(TELVOR_HELP_FILE, installed));
        FileOpener opener;
        QDesktopServices::setUrlHandler("file", &opener, "Open");
        rig.frame->Action(ID_HELP_CONTENTS)->trigger();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(installed)});
        QVERIFY(rig.shown.isEmpty());
        QVERIFY(!rig.frame->findChild<CHelpWindow*>());

        // No browser opens it (the offscreen platform has none): the program's own help window.
        for (int time = 0; time < 2; ++time) rig.frame->Action(ID_HELP_CONTENTS)->trigger();
        QVERIFY(rig.shown.isEmpty());
        const QList<CHelpWindow*> windows = rig.frame->findChildren<CHelpWindow*>();
        QCOMPARE(windows.size(), 1);
        CHelpWindow& window = *windows.front();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QString("VarnoxLink Help"));
        QCOMPARE(window.Browser()->source(), QUrl::fromLocalFile(installed));
        QVERIFY(window.Browser()->toPlainText().contains("Online edit"));
        const QRegularExpressionMatch picture =
            QRegularExpression("<img src=\"(data:image/png;base64,[^\"]+)\"").match(FileText(installed));
        QVERIFY(picture.hasMatch());
        const QVariant image = window.Browser()->loadResource(QTextDocument::ImageResource, QUrl(picture.captured(1)));
        QVERIFY(image.isValid());
        QVERIFY(!image.value<QImage>().isNull() || !image.toByteArray().isEmpty());
        window.close();

        QFile::remove(installed);
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_HELP_CONTENTS)->trigger();
        QCOMPARE(rig.shown, QStringList{"VarnoxLink|Not Find Help File!!"});
    }
};

static RegisterTest<ManualTest> registration;

}  // namespace telvor::testing

#include "manual_test.moc"
