#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "Bench.h"

namespace bench {

double Row::Worst() const {
    if (ours.empty()) return 0;
    double worst = ours.front();
    for (double sample : ours)
        if (std::fabs(sample - limit) >= std::fabs(worst - limit)) worst = sample;
    return worst;
}

std::string Row::TargetText() const {
    char text[48] = "";
    switch (target) {
        case Target::None: break;
        case Target::Ratio: std::snprintf(text, sizeof(text), "<= %.1fx", limit); break;
        case Target::RatioPlusMs: std::snprintf(text, sizeof(text), "<= %.1fx + %.0f ms", limit, plusMs); break;
        case Target::AtMostMs: std::snprintf(text, sizeof(text), "<= %.0f ms", limit); break;
        case Target::Growth: std::snprintf(text, sizeof(text), "<= %.0fx", limit); break;
        case Target::Exactly: std::snprintf(text, sizeof(text), "= %.0f", limit); break;
    }
    return text;
}

std::string Row::Verdict() const {
    if (target == Target::None) return "";
    if (!HasOurs()) return "n/a";
    bool met = false;
    switch (target) {
        case Target::Ratio:
            if (!HasBase()) return "n/a";
            met = Ours() <= limit * Base();
            break;
        case Target::RatioPlusMs:
            if (!HasBase()) return "n/a";
            met = Ours() <= limit * Base() + plusMs;
            break;
        case Target::AtMostMs:
        case Target::Growth: met = Ours() <= limit; break;
        case Target::Exactly:
            met = std::all_of(ours.begin(), ours.end(), [this](double sample) { return sample == limit; });
            break;
        case Target::None: break;
    }
    return met ? "met" : "MISSED";
}

Row& Report::Add(Row row) {
    m_rows.push_back(std::move(row));
    return m_rows.back();
}

Row* Report::Find(const std::string& name, long n) {
    for (Row& row : m_rows)
        if (row.name == name && row.n == n) return &row;
    return nullptr;
}

void Report::AddGrowth() {
    std::vector<Row> growth;
    for (const Row& small : m_rows) {
        if (!small.scales) continue;
        for (const Row& large : m_rows) {
            if (large.name != small.name || large.n <= small.n || !large.scales) continue;
            long factor = large.n / small.n;
            if (large.n % small.n != 0 || (factor != 10 && factor != 5)) continue;
            Row row;
            row.name = small.name + " (growth)";
            row.n = large.n;
            row.unit = "x";
            row.baseName = "the baseline's growth over the same sizes";
            if (small.HasOurs() && large.HasOurs()) row.ours.push_back(large.Ours() / small.Ours());
            else row.oursMissing = true;
            if (small.HasBase() && large.HasBase()) row.base.push_back(large.Base() / small.Base());
            char note[96];
            if (factor == 10) {
                row.target = Target::Growth;
                row.limit = 12;
                std::snprintf(note, sizeof(note), "from N=%ld", small.n);
            } else {
                std::snprintf(note, sizeof(note), "from N=%ld (5x the size; 12x per 10x is 6x pro rata)", small.n);
            }
            row.note = note;
            growth.push_back(std::move(row));
        }
    }
    for (Row& row : growth) m_rows.push_back(std::move(row));
}

namespace {

std::string Number(double value, const std::string& unit) {
    char text[32];
    if (unit == "x" || unit == "calls")
        std::snprintf(text, sizeof(text), "%.2f", value);
    else if (value >= 100)
        std::snprintf(text, sizeof(text), "%.0f", value);
    else
        std::snprintf(text, sizeof(text), "%.1f", value);
    return text;
}

std::string OursText(const Row& row) {
    if (!row.HasOurs()) return "n/a";
    if (row.target == Target::Exactly) {
        auto range = std::minmax_element(row.ours.begin(), row.ours.end());
        if (*range.first == *range.second) return Number(*range.first, row.unit);
        return Number(*range.first, row.unit) + "-" + Number(*range.second, row.unit);
    }
    return Number(row.Ours(), row.unit);
}

std::string BaseText(const Row& row) { return row.HasBase() ? Number(row.Base(), row.unit) : "-"; }

std::string RatioText(const Row& row) {
    if (!row.HasOurs() || !row.HasBase() || row.Base() <= 0 || row.unit == "x" || row.unit == "calls") return "-";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2fx", row.Ours() / row.Base());
    return text;
}

std::string Runs(const Row& row) { return std::to_string(row.ours.size()) + "/" + std::to_string(row.base.size()); }

std::string Csv(const std::string& field) {
    if (field.find_first_of(",\"\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

void Report::Print(FILE* out) const {
    std::fprintf(out, "%-55s %7s %-5s %9s %9s %7s %-16s %-6s %-5s %s\n", "case", "N", "unit", "ours", "baseline",
                 "ratio", "target", "result", "runs", "note");
    std::fprintf(out, "%s\n", std::string(140, '-').c_str());
    for (const Row& row : m_rows) {
        std::fprintf(out, "%-55s %7ld %-5s %9s %9s %7s %-16s %-6s %-5s %s\n", row.name.c_str(), row.n,
                     row.unit.c_str(), OursText(row).c_str(), BaseText(row).c_str(), RatioText(row).c_str(),
                     row.TargetText().c_str(), row.Verdict().c_str(), Runs(row).c_str(), row.note.c_str());
    }
    std::fprintf(out, "\nBaselines:\n");
    std::map<std::string, std::string> seen;
    for (const Row& row : m_rows) {
        if (row.baseName.empty() || row.unit == "x") continue;
        std::string key = row.name.substr(0, row.name.find(" (growth)"));
        if (seen.count(key) != 0) continue;
        seen[key] = row.baseName;
        std::fprintf(out, "  %-55s %s\n", key.c_str(), row.baseName.c_str());
    }
}

bool Report::WriteCsv(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    std::fprintf(file, "case,n,unit,ours,baseline,ratio,target,result,runs_ours,runs_baseline,baseline_is,note\n");
    for (const Row& row : m_rows) {
        std::string ours = row.HasOurs() ? std::to_string(row.Ours()) : "";
        std::string base = row.HasBase() ? std::to_string(row.Base()) : "";
        std::string ratio = RatioText(row);
        if (ratio == "-") ratio.clear();
        else ratio.pop_back();
        std::fprintf(file, "%s,%ld,%s,%s,%s,%s,%s,%s,%zu,%zu,%s,%s\n", Csv(row.name).c_str(), row.n, row.unit.c_str(),
                     ours.c_str(), base.c_str(), ratio.c_str(), Csv(row.TargetText()).c_str(), row.Verdict().c_str(),
                     row.ours.size(), row.base.size(), Csv(row.baseName).c_str(), Csv(row.note).c_str());
    }
    return std::fclose(file) == 0;
}

bool Report::WriteMarkdown(const std::string& path, const std::string& header, const std::string& footer) const {
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    std::fprintf(file,
                 "# Latest benchmark results\n\n"
                 "Written by `tavrokessabench --results` (`./run bench`); the method, the targets and what the "
                 "figures mean are in [../README.md](../README.md). The same figures, unrounded, are in "
                 "`latest.csv`.\n\n```\n%s```\n\n```\n",
                 header.c_str());
    Print(file);
    std::fprintf(file, "```\n\n%s\n", footer.c_str());
    return std::fclose(file) == 0;
}

}  // namespace bench
