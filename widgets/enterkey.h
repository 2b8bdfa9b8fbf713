#pragma once

class QEvent;

// True for a press of Return or Enter (the keypad's too) without Shift, Ctrl or Alt: the key
// that runs a window's main command.
bool IsEnterKey(const QEvent* event);
