#pragma once
// The modeless progress windows that long link sequences show: CProgressDialog
// (text line and bar) and CCancelProgressDialog (the same with a Cancel button).
// The user interface makes them; the flows drive them through these handles.

#include <string>

namespace telvor {

class CProgressDialog {
public:
    virtual ~CProgressDialog() = default;
    // Range minimum..maximum of the bar; the step is 1.
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual void SetPos(int position) = 0;
    virtual void StepIt() = 0;
    // Stores the text and puts it on the text line.
    virtual void SetText(const std::string& text) = 0;
    virtual void Show() = 0;
    // Paints the window now; the flows call it after each text change because
    // no events are pumped while a read or a write runs.
    virtual void Repaint() = 0;
    // Destroys the window; further calls on the handle do nothing.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

// Its Cancel button calls the callback given when the window was made (the
// application's scan-cancel flag) and destroys the window.
class CCancelProgressDialog : public CProgressDialog {};

}  // namespace telvor
