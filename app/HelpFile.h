// SPDX-License-Identifier: GPL-3.0-or-later
// The help file Ravelon.hlp: its topics, how they are read, and where the
// file is looked for.
//
// The file is UTF-8 text. A line of the form
//
//     == 題名 ==
//
// starts a topic titled 題名 (the title is trimmed of spaces); the lines up to
// the next such line are its body. Blank lines separate the body's
// paragraphs; blank lines at the start and end of a body are dropped, and so
// is everything before the first title line (the file's own preface). Line
// ends may be LF or CR LF, and a UTF-8 byte order mark at the start is
// skipped.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace ravelon {

// One topic of the help: a title for the list and its body text (UTF-8).
struct THelpTopic {
    std::string Title;
    std::string Body;
    friend bool operator==(const THelpTopic&, const THelpTopic&) = default;
};

// The topics of a help file's text, in the file's order.
std::vector<THelpTopic> ReadHelpTopics(const std::string& Text);

// Reads the help file at Path. Throws std::runtime_error with a Japanese
// message naming the file when it is missing, cannot be read, is not UTF-8
// or holds no topic.
std::vector<THelpTopic> LoadHelpFile(const QString& Path);

// Where the help file is looked for, in order, for a program in AppDir:
// beside it, then ../share/ravelon/ for an installed program.
std::vector<QString> HelpFileCandidates(const QString& AppDir);

// The first of HelpFileCandidates(AppDir) that exists, else the first.
QString FindHelpFile(const QString& AppDir);

// FindHelpFile for the running program's directory.
QString FindHelpFile();

}  // namespace ravelon
