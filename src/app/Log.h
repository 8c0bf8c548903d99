// The game's log: the plain text file "log.txt", truncated at start, opened and closed for every line.
//
// Every subsystem writes through LogWrite; the file is never held open between lines, so a crash
// never loses what was logged before it. A log that cannot be written is silently dropped: the
// game never stops for it and the log never reports its own failures.
#pragma once

// Creates or truncates the file and remembers its name; false when it cannot be created (later
// writes then go nowhere).
bool LogOpen(const char* fileName);

// Appends one printf-style line and a line feed; drops it silently when the file cannot be opened.
void LogWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The remembered file name ("" when LogOpen failed or was never called); for tests and tools.
const char* LogFileName();
