// What drives the real program from another process, as a user would: waiting, reading a window's text and
// class, finding a visible window, and synthetic input. Used by the end-to-end test and the screenshot tour.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velloway::testing::outside {

// Polls until done() holds or patience (ms) runs out; returns done().
bool WaitFor(const std::function<bool()>& done, DWORD patience);
// Asks the window itself, as its text may live in the control (a status bar's does); a window that hangs
// answers an empty text.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The first visible window that matches: a child of parent at any depth, or a top-level window when parent
// is null. Null when there is none.
HWND FindVisible(HWND parent, const std::function<bool(HWND)>& matches);
void SendInputs(std::vector<INPUT> inputs);
// A left click at this point of the screen, or in the middle of the window.
void ClickAt(POINT point);
void Click(HWND window);
void PressKey(WORD key);

}  // namespace velloway::testing::outside
