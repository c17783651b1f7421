#pragma once

#include <QString>

#include <functional>

class TDM;

// The shell's part of the session: the sign-in dialog (run through the prompts, so tests can
// fill it) and the busy feedback around the connection.
void InstallSessionHooks(TDM &dm);

// Busy feedback: the hourglass cursor, and the busy window's text once a busy window hands
// in its hook (an empty text hides it).
void SetBusyWindowHook(std::function<void(const QString &text)> hook);
void BusyBegin(const QString &text);
void BusyEnd();
// Drops every hourglass the program has set.
void NormalCursor();
