// SPDX-License-Identifier: GPL-3.0-or-later
// Reading Ravelon.hlp into topics and finding it beside the program; the
// format is described in HelpFile.h.
#include "app/HelpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>
#include <stdexcept>
#include <string_view>

namespace ravelon {

namespace {

constexpr std::string_view TitleMark = "==";
constexpr std::string_view Spaces = " \t";

std::string_view Trim(std::string_view Text)
{
    const auto First = Text.find_first_not_of(Spaces);
    if (First == std::string_view::npos)
        return {};
    const auto Last = Text.find_last_not_of(Spaces);
    return Text.substr(First, Last - First + 1);
}

// The title of a line "== title ==", or nothing when the line is not one.
std::optional<std::string> TitleOf(std::string_view Line)
{
    const std::string_view Trimmed = Trim(Line);
    if (Trimmed.size() < 2 * TitleMark.size() || !Trimmed.starts_with(TitleMark) ||
        !Trimmed.ends_with(TitleMark))
        return std::nullopt;
    const std::string_view Inner =
        Trim(Trimmed.substr(TitleMark.size(), Trimmed.size() - 2 * TitleMark.size()));
    if (Inner.empty())
        return std::nullopt;
    return std::string(Inner);
}

// The body's lines joined, without the blank lines at either end.
std::string JoinBody(const std::vector<std::string_view>& Lines)
{
    std::size_t First = 0;
    std::size_t End = Lines.size();
    while (First < End && Trim(Lines[First]).empty())
        ++First;
    while (End > First && Trim(Lines[End - 1]).empty())
        --End;
    std::string Body;
    for (std::size_t i = First; i < End; ++i) {
        if (i > First)
            Body += '\n';
        Body += Trim(Lines[i]).empty() ? std::string_view() : Lines[i];
    }
    return Body;
}

std::string Native(const QString& Path)
{
    return QDir::toNativeSeparators(Path).toStdString();
}

}  // namespace

std::vector<THelpTopic> ReadHelpTopics(const std::string& Text)
{
    std::string_view Rest = Text;
    if (Rest.starts_with("\xEF\xBB\xBF"))
        Rest.remove_prefix(3);

    std::vector<THelpTopic> Topics;
    std::vector<std::string_view> BodyLines;
    auto Finish = [&] {
        if (!Topics.empty())
            Topics.back().Body = JoinBody(BodyLines);
        BodyLines.clear();
    };
    while (!Rest.empty()) {
        const auto End = Rest.find('\n');
        std::string_view Line = Rest.substr(0, End);
        Rest.remove_prefix(End == std::string_view::npos ? Rest.size() : End + 1);
        if (Line.ends_with('\r'))
            Line.remove_suffix(1);
        if (auto Title = TitleOf(Line)) {
            Finish();
            Topics.push_back({std::move(*Title), {}});
        } else if (!Topics.empty()) {
            BodyLines.push_back(Line);
        }
    }
    Finish();
    return Topics;
}

std::vector<THelpTopic> LoadHelpFile(const QString& Path)
{
    const std::string Name = Native(Path);
    QFile File(Path);
    if (!QFileInfo(Path).isFile())
        throw std::runtime_error("ヘルプファイル " + Name + " が見つかりません");
    if (!File.open(QIODevice::ReadOnly))
        throw std::runtime_error("ヘルプファイル " + Name + " を読み込めません（" +
                                 File.errorString().toStdString() + "）");
    const QByteArray Bytes = File.readAll();
    if (File.error() != QFileDevice::NoError)
        throw std::runtime_error("ヘルプファイル " + Name + " を読み込めません（" +
                                 File.errorString().toStdString() + "）");

    QStringDecoder Decoder(QStringDecoder::Utf8);
    const QString Text = Decoder(Bytes);
    if (Decoder.hasError())
        throw std::runtime_error("ヘルプファイル " + Name + " を読み込めません（UTF-8 のテキストではありません）");

    std::vector<THelpTopic> Topics = ReadHelpTopics(Text.toStdString());
    if (Topics.empty())
        throw std::runtime_error("ヘルプファイル " + Name + " にトピックがありません");
    return Topics;
}

std::vector<QString> HelpFileCandidates(const QString& AppDir)
{
    const QDir Dir(AppDir);
    return {QDir::cleanPath(Dir.filePath("Ravelon.hlp")),
            QDir::cleanPath(Dir.filePath("../share/ravelon/Ravelon.hlp"))};
}

QString FindHelpFile(const QString& AppDir)
{
    const std::vector<QString> Candidates = HelpFileCandidates(AppDir);
    for (const QString& Candidate : Candidates)
        if (QFileInfo(Candidate).isFile())
            return Candidate;
    return Candidates.front();
}

QString FindHelpFile()
{
    return FindHelpFile(QCoreApplication::applicationDirPath());
}

}  // namespace ravelon
