#pragma once
// Help > Contents: the manual in the desktop's browser, or, when no browser opens
// it, in a help window of the program's own.

#include <QString>
#include <QWidget>

#include "message_sink.h"

class QTextBrowser;

namespace telvor {

inline constexpr const char* kNoHelpFileMessage = "Not Find Help File!!";

// The help file in a window of its own: its contents, links and pictures.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* owner);
    void ShowFile(const QString& path);
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// A help file that is not there is reported ("Not Find Help File!!"); one that no
// browser opens is shown in the owner's one CHelpWindow.
void ShowHelpFile(const QString& path, MessageSink& messages, QWidget& owner);

}  // namespace telvor
