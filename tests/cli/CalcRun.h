// SPDX-License-Identifier: GPL-3.0-or-later
// Running the built ravelon-calc binary in tests, and a small reader of the
// JSON it writes.
//
// Data model: a run is the exit status and the text of standard output and
// standard error; a JSON value is null, a string, an integer, an array, an
// object or a truth value.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace ravelon::calctest {

inline const std::string kCalc = RAVELON_CALC_PATH;
inline const std::string kExamples = RAVELON_EXAMPLES_DIR;

struct TRun {
    int Status = -1;
    std::string Out, Err;
};

// Runs the calculator with Args (shell words, already quoted as needed).
inline TRun Calc(const std::string& args) {
    const auto dir = std::filesystem::temp_directory_path() / ("ravelon-calc-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string out = (dir / "out").string(), err = (dir / "err").string();
    const std::string command = "'" + kCalc + "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    auto slurp = [](const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    TRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    std::filesystem::remove_all(dir);
    return r;
}

inline std::string Example(const std::string& name) { return "'" + kExamples + "/" + name + "'"; }

// Writes Text to a file in a fresh folder, removed with it; Name is the
// file's quoted name.
struct TInputFile {
    std::filesystem::path Dir = std::filesystem::temp_directory_path() / ("ravelon-pd-" + std::to_string(::getpid()));
    std::string Name;
    explicit TInputFile(const std::string& Text) {
        std::filesystem::create_directories(Dir);
        std::ofstream(Dir / "codes.txt") << Text;
        Name = "'" + (Dir / "codes.txt").string() + "'";
    }
    ~TInputFile() { std::filesystem::remove_all(Dir); }
};

// A small JSON reader, enough for the calculator's output.
struct TJson {
    std::variant<std::nullptr_t, std::string, long long, std::vector<TJson>, std::map<std::string, TJson>, bool> V;
    const TJson& operator[](const std::string& k) const { return std::get<4>(V).at(k); }
    const TJson& operator[](std::size_t i) const { return std::get<3>(V).at(i); }
    bool Has(const std::string& k) const { return std::get<4>(V).count(k) > 0; }
};

class TJsonReader {
public:
    explicit TJsonReader(const std::string& s) : S(s) {}
    TJson Read() {
        TJson v = Value();
        Space();
        if (P != S.size()) throw std::runtime_error("trailing text");
        return v;
    }

private:
    void Space() {
        while (P < S.size() && (S[P] == ' ' || S[P] == '\n')) ++P;
    }
    void Expect(char c) {
        Space();
        if (P >= S.size() || S[P] != c) throw std::runtime_error(std::string("expected ") + c);
        ++P;
    }
    TJson Value() {
        Space();
        if (P >= S.size()) throw std::runtime_error("end of text");
        if (S[P] == '{') {
            std::map<std::string, TJson> m;
            ++P;
            Space();
            if (S[P] == '}') return ++P, TJson{m};
            do {
                Space();
                const std::string key = std::get<std::string>(Value().V);
                Expect(':');
                m[key] = Value();
                Space();
            } while (S[P] == ',' && ++P);
            Expect('}');
            return TJson{m};
        }
        if (S[P] == '[') {
            std::vector<TJson> a;
            ++P;
            Space();
            if (S[P] == ']') return ++P, TJson{a};
            do a.push_back(Value());
            while ((Space(), S[P] == ',') && ++P);
            Expect(']');
            return TJson{a};
        }
        if (S[P] == '"') {
            std::string t;
            for (++P; S.at(P) != '"'; ++P) {
                if (S[P] == '\\') ++P;
                t += S.at(P);
            }
            ++P;
            return TJson{t};
        }
        for (const bool b : {true, false}) {
            const std::string word = b ? "true" : "false";
            if (S.compare(P, word.size(), word) == 0) return P += word.size(), TJson{b};
        }
        std::size_t used = 0;
        const long long n = std::stoll(S.substr(P), &used);
        P += used;
        return TJson{n};
    }
    const std::string& S;
    std::size_t P = 0;
};

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    return lines;
}

}  // namespace ravelon::calctest
