#include "cli/Calc.h"

#include <exception>
#include <new>
#include <ostream>

#include "cli/Json.h"
#include "cli/PdCode.h"
#include "cli/PolyText.h"
#include "diagram/Draw.h"
#include "knot/Knot.h"

namespace ravelon {

namespace {

constexpr const char* kVersion = "1.2.0.30";

constexpr const char* kUsage =
    "使い方: ravelon-calc [オプション] ファイル.rvd...\n"
    "結び目データファイルのブラケット多項式、ねじり数、ジョーンズ多項式を計算します。\n"
    "\n"
    "  --bracket    ブラケット多項式を出力する\n"
    "  --twist      ねじり数を出力する\n"
    "  --jones      ジョーンズ多項式を出力する\n"
    "               (どれも指定しなければ三つとも出力する)\n"
    "  --json       ファイルごとに一行の JSON オブジェクトで出力する\n"
    "  --pd         PD コードを出力する\n"
    "  --reference  状態和で計算する (検証用、交点数に対して指数時間)\n"
    "  --help       この説明を表示する\n"
    "  --version    バージョンを表示する\n";

// The invariants of one file.
struct TResult {
    int Crossings = 0;
    int Components = 0;
    TPoly Bracket;
    int Twist = 0;
    TPoly Jones;
    TPdCode Pd;
};

TResult Compute(const std::string& File, const TCalcOptions& Options, std::ostream& Err) {
    TDraw draw;
    int width = 0, height = 0;
    draw.LoadFromFile(File, width, height);
    TKnot knot;
    draw.MakeKnot(knot);

    TResult r;
    r.Crossings = knot.FCrossingCount();
    r.Pd = MakePdCode(knot);
    r.Components = r.Pd.Components;
    // The reference computation is the full state sum; the default contracts
    // the crossings one by one and gives the same non-zero terms.
    if (Options.Bracket) Options.Reference ? knot.StateSumBracket(r.Bracket) : knot.Bracket(r.Bracket);
    if (Options.Twist) r.Twist = knot.Writhe();
    if (Options.Jones) Options.Reference ? knot.StateSumJones(r.Jones) : knot.Jones(r.Jones);
    if (Options.Pd && r.Pd.LoopsLeftOut > 0)
        Err << File << ": 交点のない成分 " << r.Pd.LoopsLeftOut << " 個は PD コードに含まれません\n";
    return r;
}

void PrintText(const std::string& File, const TResult& r, const TCalcOptions& Options, std::ostream& Out) {
    Out << File << '\n';
    if (Options.Bracket) Out << "  ブラケット多項式: " << PolyText(r.Bracket, "A") << '\n';
    if (Options.Twist) Out << "  ねじり数: " << r.Twist << '\n';
    if (Options.Jones) Out << "  ジョーンズ多項式: " << PolyText(r.Jones, "t") << '\n';
    if (Options.Pd) Out << "  PD: " << PdText(r.Pd) << '\n';
}

void PrintJson(const std::string& File, const TResult& r, const TCalcOptions& Options, std::ostream& Out) {
    Out << "{\"file\": " << JsonString(File) << ", \"crossings\": " << r.Crossings
        << ", \"components\": " << r.Components;
    if (Options.Bracket) Out << ", \"bracket\": " << JsonPoly(r.Bracket, "A");
    if (Options.Twist) Out << ", \"twist\": " << r.Twist;
    if (Options.Jones) Out << ", \"jones\": " << JsonPoly(r.Jones, "t");
    if (Options.Pd) Out << ", \"pd\": " << JsonString(PdText(r.Pd));
    Out << "}\n";
}

// Flushes Out; false when its output could not be written (also for a stream
// that reports failures by exceptions).
bool Flush(std::ostream& Out) {
    try {
        return static_cast<bool>(Out.flush());
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

bool ParseCalcOptions(const std::vector<std::string>& Args, TCalcOptions& Options, std::string& Error) {
    Options = TCalcOptions{};
    bool onlyFiles = false;
    for (const std::string& a : Args) {
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            Options.Files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--bracket") {
            Options.Bracket = true;
        } else if (a == "--twist") {
            Options.Twist = true;
        } else if (a == "--jones") {
            Options.Jones = true;
        } else if (a == "--json") {
            Options.Json = true;
        } else if (a == "--pd") {
            Options.Pd = true;
        } else if (a == "--reference") {
            Options.Reference = true;
        } else if (a == "--help" || a == "-h") {
            Options.Help = true;
        } else if (a == "--version") {
            Options.Version = true;
        } else {
            Error = "不明なオプションです: " + a;
            return false;
        }
    }
    if (!Options.Bracket && !Options.Twist && !Options.Jones) Options.Bracket = Options.Twist = Options.Jones = true;
    if (Options.Files.empty() && !Options.Help && !Options.Version) {
        Error = "ファイルが指定されていません";
        return false;
    }
    return true;
}

int RunCalc(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
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
    int status = 0;
    bool first = true;
    for (const std::string& file : options.Files) {
        try {
            const TResult r = Compute(file, options, Err);
            if (options.Json) {
                PrintJson(file, r, options, Out);
            } else {
                if (!first) Out << '\n';
                PrintText(file, r, options, Out);
            }
            first = false;
        } catch (const std::bad_alloc&) {
            Flush(Out);
            Err << file << ": メモリが不足しています\n";
            status = 1;
        } catch (const std::exception& e) {
            Flush(Out);
            Err << file << ": " << e.what() << '\n';
            status = 1;
        }
        if (!Out) break;
    }
    // Output that could not be written (a full disk, a closed pipe) is a failure.
    if (!Flush(Out)) {
        Err << "ravelon-calc: 出力を書き込めませんでした\n";
        return 1;
    }
    return status;
}

}  // namespace ravelon
