// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/KnotTable.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace ravelon {

namespace {

const std::vector<std::size_t> kNone;

std::string IndexKey(int Components, const std::string& Jones) { return std::to_string(Components) + "|" + Jones; }

std::string KeyOf(const std::map<std::int64_t, mpz_class>& terms) {
    std::string key;
    for (const auto& [e, c] : terms) {
        if (c == 0) continue;
        if (!key.empty()) key += ' ';
        key += std::to_string(e) + ":" + c.get_str();
    }
    return key;
}

}  // namespace

TKnotTable::TKnotTable(const std::string& Path) {
    std::ifstream in(Path);
    if (!in) throw std::runtime_error("結び目の表を開けません: " + Path);
    std::error_code error;
    if (std::filesystem::is_directory(Path, error)) throw std::runtime_error("結び目の表を読み込めません (フォルダです): " + Path);
    std::string line;
    int number = 0;
    bool header = false;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        if (!header) {  // the column names
            header = true;
            continue;
        }
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(line.substr(start, tab - start));
        f.push_back(line.substr(start));
        try {
            if (f.size() != 7) throw std::invalid_argument("columns");
            FEntries.push_back({f[0], std::stoi(f[1]), std::stoi(f[2]), f[3], f[4], std::stoi(f[5]), f[6]});
        } catch (const std::exception&) {
            throw std::runtime_error("結び目の表の " + std::to_string(number) + " 行目が読めません: " + Path);
        }
        const TTableEntry& e = FEntries.back();
        FByJones[IndexKey(e.Components, e.Jones)].push_back(FEntries.size() - 1);
    }
    // A read that failed (a folder, an error of the disk) is not the end of
    // the table.
    if (in.bad()) throw std::runtime_error("結び目の表の " + std::to_string(number + 1) + " 行目を読み込めません: " + Path);
    if (FEntries.empty()) throw std::runtime_error("結び目の表が空です: " + Path);
}

const std::vector<std::size_t>& TKnotTable::WithJones(int Components, const std::string& JonesKey) const {
    const auto it = FByJones.find(IndexKey(Components, JonesKey));
    return it == FByJones.end() ? kNone : it->second;
}

std::string TableKey(const TPoly& P, int Scale, int Sign) {
    std::map<std::int64_t, mpz_class> terms;
    for (const TTerm& t : P.FTerms) {
        const std::int64_t scaled = std::int64_t{t.Exponent.Num} * Scale * Sign;
        if (scaled % t.Exponent.Den != 0) throw std::invalid_argument("an exponent finer than the table's");
        terms[scaled / t.Exponent.Den] += t.Coefficient;
    }
    return KeyOf(terms);
}

std::string AlexanderKeyFromConway(const std::string& Conway, int Factor) {
    // z^e = (t^(1/2) - t^(-1/2))^e = sum_k (-1)^k C(e, k) t^((e - 2k)/2).
    std::map<std::int64_t, mpz_class> terms;
    std::stringstream in(Conway);
    std::string term;
    while (in >> term) {
        const std::size_t colon = term.find(':');
        const long e = std::stol(term.substr(0, colon));
        const mpz_class c(term.substr(colon + 1));
        mpz_class binomial = 1;
        for (long k = 0; k <= e; ++k) {
            terms[e - 2 * k] += (k % 2 == 0 ? c : -c) * binomial * Factor;
            binomial = binomial * (e - k) / (k + 1);
        }
    }
    return KeyOf(terms);
}

std::string KnotTablePath() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        for (const fs::path& p : {exe.parent_path() / "knot-table.tsv",
                                  exe.parent_path() / ".." / "share" / "ravelon" / "knot-table.tsv"})
            if (fs::exists(p, ec)) return p.string();
    }
    return RAVELON_KNOT_TABLE_SOURCE;
}

}  // namespace ravelon
