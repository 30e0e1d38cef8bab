// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Calc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <ostream>
#include <system_error>
#include <unordered_map>

#include "cli/CalcReport.h"
#include "cli/LineReader.h"
#include "diagram/FileError.h"
#include "knot/Progress.h"
#include "table/KnotTable.h"
#include "knot/PdRead.h"
#include "diagram/Draw.h"
#include "knot/Knot.h"
#include "layout/DrawCode.h"

namespace ravelon {

namespace {

// Flushes Out; false when its output could not be written (also for a stream
// that reports failures by exceptions).
bool Flush(std::ostream& Out) {
    try {
        return static_cast<bool>(Out.flush());
    } catch (const std::exception&) {
        return false;
    }
}

// Draws Knot into Dir/Number.rvd, creating Dir; returns the file's name.
// Throws TLayoutError, or std::runtime_error when Dir cannot be made or the
// file cannot be written.
std::string SaveDrawing(const TKnot& Knot, const std::string& Dir, int Number) {
    const TDrawing drawing = DrawCode(Knot);
    std::error_code error;
    std::filesystem::create_directories(Dir, error);
    if (error) throw std::runtime_error("フォルダを作れません: " + Dir);
    const std::string file = (std::filesystem::path(Dir) / (std::to_string(Number) + ".rvd")).string();
    try {
        drawing.Draw.SaveToFile(file, drawing.Width, drawing.Height);
    } catch (const TFileError& e) {
        throw std::runtime_error("図を書き込めません: " + file + " (" + e.what() + ")");
    }
    return file;
}

// A file descriptor, closed with the object when Owned.
struct TDescriptor {
    int Fd;
    bool Owned;
    TDescriptor(int F, bool O) : Fd(F), Owned(O) {}
    ~TDescriptor() {
        if (Owned && Fd >= 0) ::close(Fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
};

// The computation of every diagram of one run, and the exit status so far.
struct TCalcRun {
    const TCalcOptions& Options;
    const TKnotTable* Table;
    std::ostream& Out;
    std::ostream& Err;
    const std::unordered_map<std::string, std::size_t>* Names = nullptr;  // of the table's entries
    TProgress* Stop = nullptr;  // cancelled by a signal
    int Status = 0;
    bool First = true;
    int Codes = 0;  // codes taken so far, which number the drawings
    TCodeFormat Notation = TCodeFormat::Auto;  // of the line read last with --code-in

    // Computes and prints the diagram MakeKnot gives, named Name (Line > 0
    // for a PD code), and draws it with --draw; a failure is reported on Err
    // under Where.
    template <class F>
    void One(const std::string& Name, int Line, F MakeKnot, const std::string& Where = {}) {
        const std::string where = Where.empty() ? Name : Where;
        const int number = ++Codes;
        try {
            const TKnot knot = MakeKnot();
            TReport r = ComputeReport(knot, Options, Table, Stop);
            r.Notation = Notation;
            std::string drawError;
            if (!Options.DrawDir.empty()) {
                try {
                    r.Drawing = SaveDrawing(knot, Options.DrawDir, number);
                } catch (const std::exception& e) {
                    drawError = e.what();
                }
            }
            if (Options.Pd && r.Pd.LoopsLeftOut > 0)
                Err << where << ": 交点のない成分 " << r.Pd.LoopsLeftOut << " 個は PD コードに含まれません\n";
            if (Options.Json) {
                PrintReportJson(Name, Line, r, Options, Out);
            } else {
                if (!First) Out << '\n';
                PrintReportText(Line > 0 ? where : Name, r, Options, Out);
            }
            First = false;
            // Each report reaches a pipe as soon as it is computed.
            Flush(Out);
            if (!drawError.empty()) Fail(where, drawError);
        } catch (const TCancelled&) {
            throw;  // the whole run stops
        } catch (const std::bad_alloc&) {
            Fail(where, "メモリが不足しています");
        } catch (const std::exception& e) {
            Fail(where, e.what());
        }
    }

    // Every code of a file ("-": standard input), one a line, in the notation
    // of --pd-in or --code-in; blank lines and lines starting with '#' are
    // skipped. A file that cannot be opened, a folder, or a read that fails
    // part-way is a failure of the file, with its cause; the lines read
    // before are computed.
    void CodeFile(const std::string& File) {
        const bool stdin = File == "-";
        const std::string name = stdin ? "標準入力" : File;
        const TDescriptor file(stdin ? STDIN_FILENO : ::open(File.c_str(), O_RDONLY | O_CLOEXEC), !stdin);
        if (file.Fd < 0) {
            Fail(name, FileErrorMessage(errno));
            return;
        }
        struct stat st {};
        if (::fstat(file.Fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            Fail(name, "ファイルではなくフォルダです");
            return;
        }
        TLineReader in(ReadOfDescriptor(file.Fd, Stop));
        std::string line;
        int number = 1;
        for (; !Stopped() && in.Next(line); ++number) {
            if (line.find_first_not_of(" \t\r") == std::string::npos || line[line.find_first_not_of(" \t\r")] == '#')
                continue;
            One(name, number, [&] { return ReadLine(line); }, name + " " + std::to_string(number) + " 行目");
            if (!Out) return;
        }
        if (in.Error() != 0)
            Fail(name, std::to_string(number) + " 行目を読み込めませんでした (" + FileErrorMessage(in.Error()) + ")");
    }

    // The code of a line of --pd-in or --code-in; the notation of the latter
    // is kept for the report.
    TKnot ReadLine(const std::string& Line) {
        Notation = TCodeFormat::Auto;
        if (!Options.CodeIn) return ReadPdCode(Line, {Options.PdClockwise});
        TCodeRead read = ReadCode(Line, Options.CodeFormat, {Options.PdClockwise});
        Notation = read.Format;
        return std::move(read.Knot);
    }

    // The entry of the knot table named Name, read as --pd-in reads its code.
    void TableEntry(const std::string& Name) {
        const auto it = Names->find(Name);
        if (it == Names->end()) {
            ++Codes;
            Fail(Name, "結び目の表にない名前です");
            return;
        }
        One(Name, 0, [&] { return ReadPdCode(Table->Entries()[it->second].Pd); });
    }

    bool Stopped() const { return Stop != nullptr && Stop->Cancelled(); }

    void Fail(const std::string& Where, const std::string& Message) {
        Flush(Out);
        Err << Where << ": " << Message << '\n';
        Status = 1;
    }
};

constexpr const char* kVersion = "1.2.0.30";

constexpr const char* kUsage =
    "使い方: ravelon-calc [オプション] ファイル.rvd...\n"
    "       ravelon-calc --pd-in [オプション] [PD コードのファイル...]\n"
    "       ravelon-calc --code-in [オプション] [コードのファイル...]\n"
    "       ravelon-calc --table [オプション] 表の名前...\n"
    "結び目データファイルまたは PD コードの不変量を計算します。\n"
    "\n"
    "  --bracket    ブラケット多項式を出力する\n"
    "  --twist      ねじり数を出力する\n"
    "  --jones      ジョーンズ多項式を出力する\n"
    "  --alexander  アレキサンダー多項式 (コンウェイ多項式で正規化) を出力する\n"
    "  --determinant 行列式を出力する\n"
    "  --signature  符号数を出力する\n"
    "               (不変量をどれも指定しなければブラケット多項式、ねじり数、\n"
    "               ジョーンズ多項式の三つを出力する)\n"
    "  --identify   結び目の表から結び目・絡み目の名前を探す\n"
    "  --pd-in      ファイル (なければ標準入力) の各行の PD コードを読む。交点は\n"
    "               入ってくる下の弧から反時計回りにラベルを並べる (X[1,5,2,4] など、\n"
    "               0 から始まる [(0, 4, 1, 3), ...] の形や飛び飛びのラベルも読む)\n"
    "  --code-in    ファイル (なければ標準入力) の各行のコードを、どの記法でも読む:\n"
    "               PD コード、DT コード (4 6 2、cacbca)、ガウスコード (-1 2 -3 1 -2 3、\n"
    "               O1+U2+...)、組みひも (1 -2 1 -2、aBaB)、トーラス結び目 (T(3,4))。\n"
    "               行の初めの「DT:」などの記法の名前 (大文字小文字は問わない) か\n"
    "               --code-format で記法を決める。どちらもなければ記法は文字から\n"
    "               判断する (数のならびは、2 から 2n までの偶数なら DT コード、\n"
    "               どの数も正と負で一度ずつならガウスコード、そのほかは組みひも。\n"
    "               文字だけの行は組みひもか DT コードか決められないので指定が要る)\n"
    "  --code-format 記法\n"
    "               --code-in の行の記法: pd、dt、gauss、braid、torus\n"
    "  --pd-clockwise\n"
    "               PD コードを、ラベルを時計回りに並べたものとして読む\n"
    "               (指定しなければ、時計回りのコードは鏡像として読まれる)\n"
    "  --table      引数を結び目の表の名前 (3_1、L6a4{0,0} など) とし、その PD コードを読む\n"
    "  --draw フォルダ\n"
    "               N 番目のコード (--pd-in、--code-in か --table) の図をフォルダ/N.rvd に書く\n"
    "  --json       ファイルごとに一行の JSON オブジェクトで出力する\n"
    "  --pd         PD コードを出力する\n"
    "  --dt         DT コードを出力する (一つの成分の結び目だけ。鏡像と区別しない)\n"
    "  --gauss      向き付きガウスコード (O1+U2+... の形。O/U は上/下、+/- は交点の\n"
    "               符号、絡み目は成分ごとに [...]) を出力する\n"
    "  --reference  検証用の方法で計算する (ブラケット多項式は状態和で交点数に対して\n"
    "               指数時間、古典的不変量は密なザイフェルト行列で交点数の三乗の時間)\n"
    "  --memory-limit 大きさ\n"
    "               ブラケット多項式の計算に使うメモリの上限 (例: 512M、4G。\n"
    "               指定しなければ計算を始めるときの空きメモリの一部)\n"
    "  --help       この説明を表示する\n"
    "  --version    バージョンを表示する\n";

// Bytes, or K, M, G or T of them (powers of 1024), a fraction allowed: 512M,
// 1.5G. False for anything else, 0 or past the range of a size.
bool ParseMemorySize(const std::string& Text, std::size_t& Bytes) {
    std::size_t digits = 0;
    while (digits < Text.size() && (std::isdigit(static_cast<unsigned char>(Text[digits])) || Text[digits] == '.')) ++digits;
    const auto number = Text.begin() + static_cast<std::ptrdiff_t>(digits);
    if (std::count(Text.begin(), number, '.') > 1 || std::none_of(Text.begin(), number, [](char C) { return C != '.'; }))
        return false;
    std::string unit = Text.substr(digits);
    for (const char* tail : {"iB", "B"})
        if (unit.size() > 1 && unit.ends_with(tail)) {
            unit.resize(unit.size() - std::string(tail).size());
            break;
        }
    const std::string units = "KMGT";
    double scale = 1;
    if (unit.size() > 1) return false;
    if (unit.size() == 1) {
        const std::size_t at = units.find(static_cast<char>(std::toupper(static_cast<unsigned char>(unit[0]))));
        if (at == std::string::npos) return false;
        scale = std::ldexp(1.0, 10 * static_cast<int>(at + 1));
    }
    // Read whatever the locale; a number past the range of a double (400
    // digits) or too small for one is refused like any wrong size.
    double value = 0;
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + digits, value);
    if (error != std::errc() || end != Text.data() + digits) return false;
    const double bytes = value * scale;
    if (!(bytes >= 1) || bytes >= std::ldexp(1.0, 63)) return false;
    Bytes = static_cast<std::size_t>(bytes);
    return true;
}

TKnot KnotOfFile(const std::string& File) {
    TDraw draw;
    int width = 0, height = 0;
    draw.LoadFromFile(File, width, height);
    TKnot knot;
    draw.MakeKnot(knot);
    return knot;
}


}  // namespace

namespace {

// The options that only switch something on.
struct TFlag {
    const char* Name;
    bool TCalcOptions::*Field;
};
constexpr TFlag Flags[] = {
    {"--bracket", &TCalcOptions::Bracket},     {"--twist", &TCalcOptions::Twist},
    {"--jones", &TCalcOptions::Jones},         {"--alexander", &TCalcOptions::Alexander},
    {"--determinant", &TCalcOptions::Determinant}, {"--signature", &TCalcOptions::Signature},
    {"--identify", &TCalcOptions::Identify},   {"--pd-in", &TCalcOptions::PdIn},
    {"--pd-clockwise", &TCalcOptions::PdClockwise}, {"--code-in", &TCalcOptions::CodeIn},
    {"--table", &TCalcOptions::Table},         {"--json", &TCalcOptions::Json},
    {"--pd", &TCalcOptions::Pd},               {"--gauss", &TCalcOptions::Gauss},
    {"--dt", &TCalcOptions::Dt},               {"--reference", &TCalcOptions::Reference},
    {"--help", &TCalcOptions::Help},           {"-h", &TCalcOptions::Help},
    {"--version", &TCalcOptions::Version},
};

// The value of option Name given as "Name=VALUE" or as the next argument;
// false when there is none.
bool OptionValue(const std::vector<std::string>& Args, std::size_t& I, const std::string& Name, std::string& Value) {
    const std::string& a = Args[I];
    if (a != Name) {
        Value = a.substr(Name.size() + 1);
        return true;
    }
    if (I + 1 == Args.size()) return false;
    Value = Args[++I];
    return true;
}

// The rules between the options once all are read.
bool CheckCombination(TCalcOptions& Options, std::string& Error) {
    if (!Options.Bracket && !Options.Twist && !Options.Jones && !Options.Alexander && !Options.Determinant &&
        !Options.Signature)
        Options.Bracket = Options.Twist = Options.Jones = true;
    if (Options.Help || Options.Version) return true;
    if (static_cast<int>(Options.Table) + static_cast<int>(Options.PdIn) + static_cast<int>(Options.CodeIn) > 1) {
        Error = "--table、--pd-in、--code-in はどれか一つだけ指定できます";
        return false;
    }
    if (Options.CodeFormat != TCodeFormat::Auto && !Options.CodeIn) {
        Error = "--code-format は --code-in と一緒に指定してください";
        return false;
    }
    if (Options.Table && Options.Files.empty()) {
        Error = "結び目の表の名前が指定されていません";
        return false;
    }
    if (Options.PdClockwise && !Options.PdIn && !Options.CodeIn) {
        Error = "--pd-clockwise は --pd-in か --code-in と一緒に指定してください";
        return false;
    }
    if (!Options.DrawDir.empty() && !Options.PdIn && !Options.CodeIn && !Options.Table) {
        Error = "--draw は --pd-in、--code-in か --table と一緒に指定してください";
        return false;
    }
    if ((Options.PdIn || Options.CodeIn) && Options.Files.empty()) Options.Files.push_back("-");
    if (Options.Files.empty()) {
        Error = "ファイルが指定されていません";
        return false;
    }
    return true;
}

}  // namespace

bool ParseCalcOptions(const std::vector<std::string>& Args, TCalcOptions& Options, std::string& Error) {
    Options = TCalcOptions{};
    bool onlyFiles = false;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        const auto flag = std::find_if(std::begin(Flags), std::end(Flags), [&](const TFlag& f) { return a == f.Name; });
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            Options.Files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (flag != std::end(Flags)) {
            Options.*(flag->Field) = true;
        } else if (a == "--draw" || a.starts_with("--draw=")) {
            if (!OptionValue(Args, i, "--draw", Options.DrawDir) || Options.DrawDir.empty()) {
                Error = "--draw に書き込むフォルダが指定されていません";
                return false;
            }
        } else if (a == "--code-format" || a.starts_with("--code-format=")) {
            std::string name;
            if (!OptionValue(Args, i, "--code-format", name) ||
                (Options.CodeFormat = CodeFormatNamed(name)) == TCodeFormat::Auto) {
                Error = "--code-format には pd、dt、gauss、braid、torus のどれかを指定してください";
                return false;
            }
        } else if (a == "--memory-limit" || a.starts_with("--memory-limit=")) {
            std::string size;
            if (!OptionValue(Args, i, "--memory-limit", size)) {
                Error = "--memory-limit にメモリの大きさがありません";
                return false;
            }
            if (!ParseMemorySize(size, Options.MemoryLimit)) {
                Error = "メモリの大きさが正しくありません: " + size;
                return false;
            }
        } else {
            Error = "不明なオプションです: " + a;
            return false;
        }
    }
    return CheckCombination(Options, Error);
}

int RunCalc(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, TProgress* Stop) {
    TCalcOptions options;
    std::string error;
    if (!ParseCalcOptions(Args, options, error)) {
        Err << "ravelon-calc: " << error << "\n\n" << kUsage;
        return 2;
    }
    if (options.Help) {
        Out << kUsage;
        return 0;
    }
    if (options.Version) {
        Out << "ravelon-calc " << kVersion << '\n';
        return 0;
    }
    std::optional<TKnotTable> table;
    std::unordered_map<std::string, std::size_t> names;
    if (options.Identify || options.Table) {
        try {
            table.emplace(KnotTablePath());
        } catch (const std::exception& e) {
            Err << "ravelon-calc: " << e.what() << '\n';
            return 1;
        }
        for (std::size_t i = 0; i < table->Entries().size(); ++i) names.emplace(table->Entries()[i].Name, i);
    }
    TCalcRun run{options, table ? &*table : nullptr, Out, Err, &names, Stop};
    try {
        for (const std::string& file : options.Files) {
            if (run.Stopped()) throw TCancelled();
            if (options.Table) {
                run.TableEntry(file);
            } else if (options.PdIn || options.CodeIn) {
                run.CodeFile(file);
            } else {
                run.One(file, 0, [&] { return KnotOfFile(file); });
            }
            if (!Out) break;
        }
        if (run.Stopped()) throw TCancelled();
    } catch (const TCancelled&) {
        // Everything printed so far is whole: a report is written only once
        // it is computed.
        Flush(Out);
        Err << "ravelon-calc: 中止しました\n";
        return 1;
    }
    const int status = run.Status;
    // Output that could not be written (a full disk, a closed pipe) is a failure.
    if (!Flush(Out)) {
        Err << "ravelon-calc: 出力を書き込めませんでした\n";
        return 1;
    }
    return status;
}

}  // namespace ravelon
