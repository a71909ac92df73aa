#pragma once
// What the link layer needs of the user interface: plain message boxes and the
// fixed message dialogs. The application's user interface implements it; the
// serial port, the transactions and their failure reports speak only through it.

#include <string>
#include <string_view>

namespace telvor {

enum class MessageIcon { Information, Warning, Stop, Question };

// The fixed message dialogs, by resource id.
enum class FixedDialog {
    TimeOut = 155,               // "Communication Message" / "TIME-OUT !!" / "&Quit"
    ChecksumError = 261,         // "Communication Message" / "Check Sum Error !!" / "&Quit"
    NotLinked = 263,             // "Communication Message" / "Varnox Not Link With PC !!" / "&Quit"
    ContinueAfterTimeOut = 265,  // "Write Message" / "Communication Error !!\nContinue to Next Station ?"
    ContinueToNextStation = 266, // "Write Message" / "Continue to Next Station ?" / "&Continue", "&Abort"
    WriteSuccess = 267,          // "Write Message" / "Write Parameter Successfully !!" / "OK"
};

// "&Quit", "OK" and "&Continue" end a fixed dialog with Ok, "&Abort" with Cancel.
enum class DialogResult { Ok, Cancel };

// Caption of the port's own message boxes: the application's title.
inline constexpr const char* kApplicationTitle = "VarnoxLink";

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal message box with an OK button.
    virtual void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
    // A fixed message dialog run modally; returns the button that ended it.
    virtual DialogResult RunFixedDialog(FixedDialog dialog) = 0;
    // The message box of an exception reply: "Error Message" with the reply's
    // ExceptionMessage, which is empty for a code without a text.
    virtual void ShowExceptionReply(std::string_view reply);
};

}  // namespace telvor
