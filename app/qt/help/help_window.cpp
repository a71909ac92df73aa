#include "help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace telvor {
namespace {

// The manual carries its pictures in the file, as data URLs ("data:image/png;base64,...").
class ManualBrowser : public QTextBrowser {
public:
    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() != "data") return QTextBrowser::loadResource(type, name);
        const QString data = name.path(QUrl::FullyDecoded);
        const qsizetype comma = data.indexOf(',');
        if (comma < 0 || !data.left(comma).endsWith(";base64")) return {};
        return QByteArray::fromBase64(data.mid(comma + 1).toLatin1());
    }
};

}  // namespace

CHelpWindow::CHelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new ManualBrowser) {
    setObjectName("HelpWindow");
    setWindowTitle("VarnoxLink Help");
    browser_->setObjectName("manual");
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(900, room.width() * 9 / 10), std::min(760, room.height() * 9 / 10));
}

void CHelpWindow::ShowFile(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

void ShowHelpFile(const QString& path, MessageSink& messages, QWidget& owner) {
    if (!QFileInfo(path).isFile()) {
        messages.ShowMessage(kApplicationTitle, kNoHelpFileMessage, MessageIcon::Warning);
        return;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
    auto* window = owner.findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) window = new CHelpWindow(&owner);
    window->ShowFile(path);
}

}  // namespace telvor
