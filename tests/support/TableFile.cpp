// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TableFile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ravelon::testing {

std::vector<TTableRow> ReadTableFile(const std::string& Path) {
    std::ifstream in(Path);
    if (!in) throw std::runtime_error("no table at " + Path);
    std::vector<TTableRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("name\t", 0) == 0) continue;
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(line.substr(start, tab - start));
        f.push_back(line.substr(start));
        if (f.size() != 7) throw std::runtime_error("a table line without 7 columns: " + line);
        rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
    }
    return rows;
}

std::map<long, mpz_class> TermsOf(const std::string& Column) {
    std::map<long, mpz_class> terms;
    std::istringstream in(Column);
    std::string term;
    while (in >> term) {
        const std::size_t colon = term.find(':');
        terms[std::stol(term.substr(0, colon))] += mpz_class(term.substr(colon + 1));
    }
    for (auto it = terms.begin(); it != terms.end();) it = it->second == 0 ? terms.erase(it) : std::next(it);
    return terms;
}

std::map<long, mpz_class> AlexanderOfConway(const std::map<long, mpz_class>& Conway) {
    std::map<long, mpz_class> delta;
    for (const auto& [e, c] : Conway) {
        mpz_class binomial = 1;
        for (long k = 0; k <= e; ++k) {
            delta[e - 2 * k] += (k % 2 == 0 ? c : -c) * binomial;
            binomial = binomial * (e - k) / (k + 1);
        }
    }
    for (auto it = delta.begin(); it != delta.end();) it = it->second == 0 ? delta.erase(it) : std::next(it);
    return delta;
}

std::vector<std::vector<int>> PdCrossings(const std::string& Pd) {
    std::vector<std::vector<int>> out;
    for (std::size_t p = 0; (p = Pd.find('[', p)) != std::string::npos;) {
        const std::size_t close = Pd.find(']', p);
        std::vector<int> labels;
        std::istringstream in(Pd.substr(p + 1, close - p - 1));
        std::string label;
        while (std::getline(in, label, ',')) labels.push_back(std::stoi(label));
        out.push_back(labels);
        p = close;
    }
    return out;
}

std::string PdString(const std::vector<std::vector<int>>& Crossings) {
    std::string out;
    for (const auto& x : Crossings) {
        out += out.empty() ? "X[" : " X[";
        for (std::size_t i = 0; i < x.size(); ++i) out += (i > 0 ? "," : "") + std::to_string(x[i]);
        out += "]";
    }
    return out;
}

}  // namespace ravelon::testing
