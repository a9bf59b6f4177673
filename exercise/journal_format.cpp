// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's lines, in this order (n: a decimal number, T: a text, the
// rest of its line, with "\\", "\n" and other control bytes escaped):
//
//   Kolvane-journal n            the format's version
//   program T                    the program's version
//   variables n
//   task n n n                   kind (0 none, 1 built-in, 2 own, 3 extra),
//                                number, mode
//   rule T
//   extratasks n                 1 when the extra tasks are in force, then
//   extra n T                    20 times: number of variables, formula
//   heading T
//   activities n                 then n times
//   activity n n n T             duration, data sets, right answers, name
//   inprogress n n n T           recorded, pending data sets, ms run, name
//   delivered n
//   log n                        then n times
//   line T
//   end H                        FNV-1a (64 bits, 16 hex digits) of all
//                                lines above
#include "exercise/journal_format.h"

#include <charconv>

namespace KolvErkl {

namespace {

constexpr std::string_view Magic = "Kolvane-journal";
constexpr std::string_view EndKeyword = "end";
constexpr std::string_view HexDigits = "0123456789abcdef";
// An activity's name: at most 60 characters, of up to 4 bytes each.
constexpr std::size_t MaxNameBytes = 4 * 60;

uint64_t checkSum(std::string_view bytes) {
    uint64_t hash = 14695981039346656037u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211u;
    }
    return hash;
}

std::string hex(uint64_t value) {
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = HexDigits[value & 15];
    return text;
}

// ---- Writing -----------------------------------------------------------

class Writer {
public:
    // keyword, the numbers, then the text when there is one.
    Writer& Line(std::string_view keyword, std::initializer_list<int64_t> numbers) {
        out_ += keyword;
        for (const int64_t number : numbers) {
            out_ += ' ';
            out_ += std::to_string(number);
        }
        out_ += '\n';
        return *this;
    }
    Writer& Line(std::string_view keyword, std::initializer_list<int64_t> numbers,
                 std::string_view text) {
        out_ += keyword;
        for (const int64_t number : numbers) {
            out_ += ' ';
            out_ += std::to_string(number);
        }
        out_ += ' ';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '\\') {
                out_ += "\\\\";
            } else if (c == '\n') {
                out_ += "\\n";
            } else if (byte < 0x20 || byte == 0x7f) {
                out_ += "\\x";
                out_ += HexDigits[byte >> 4];
                out_ += HexDigits[byte & 15];
            } else {
                out_ += c;
            }
        }
        out_ += '\n';
        return *this;
    }
    std::string& Bytes() { return out_; }

private:
    std::string out_;
};

// ---- Reading -----------------------------------------------------------

// One line taken apart: its numbers and, when it has one, its text.
struct Fields {
    std::array<int64_t, 4> Numbers{};
    std::string Text;
};

std::optional<int64_t> number(std::string_view& rest) {
    std::size_t length = rest.find(' ');
    if (length == std::string_view::npos)
        length = rest.size();
    const std::string_view digits = rest.substr(0, length);
    // One way of writing each number: no plus sign, no leading zeros.
    const std::size_t first = !digits.empty() && digits[0] == '-' ? 1 : 0;
    if (digits.size() == first || digits.size() > first + 10 ||
        (digits[first] == '0' && digits.size() > first + 1) || digits == "-0")
        return std::nullopt;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    rest.remove_prefix(length);
    return value;
}

std::optional<std::string> unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7f)
            return std::nullopt; // a control byte is always escaped
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const char kind = text[++i];
        if (kind == '\\' || kind == 'n') {
            out += kind == 'n' ? '\n' : '\\';
            continue;
        }
        if (kind != 'x' || i + 2 >= text.size())
            return std::nullopt;
        const std::size_t high = HexDigits.find(text[i + 1]);
        const std::size_t low = HexDigits.find(text[i + 2]);
        if (high == std::string_view::npos || low == std::string_view::npos)
            return std::nullopt;
        const auto value = static_cast<unsigned char>(high * 16 + low);
        if (value >= 0x20 && value != 0x7f && value != '\\')
            return std::nullopt; // only what must be escaped is
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

class Reader {
public:
    explicit Reader(std::string_view body) : rest_(body) {}

    // The next line, which must be `keyword` with `count` numbers and, when
    // `withText`, a text.
    std::optional<Fields> Line(std::string_view keyword, std::size_t count, bool withText) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt;
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        if (line.substr(0, keyword.size()) != keyword)
            return std::nullopt;
        line.remove_prefix(keyword.size());
        Fields fields;
        for (std::size_t k = 0; k < count; ++k) {
            if (line.empty() || line[0] != ' ')
                return std::nullopt;
            line.remove_prefix(1);
            const std::optional<int64_t> value = number(line);
            if (!value)
                return std::nullopt;
            fields.Numbers[k] = *value;
        }
        if (!withText)
            return line.empty() ? std::optional<Fields>(fields) : std::nullopt;
        if (line.empty() || line[0] != ' ')
            return std::nullopt;
        std::optional<std::string> text = unescape(line.substr(1));
        if (!text)
            return std::nullopt;
        fields.Text = std::move(*text);
        return fields;
    }
    bool AtEnd() const { return rest_.empty(); }
    // Log lines left at most ("line \n" is the shortest): what a count
    // read from the journal may claim.
    std::size_t LinesLeft() const { return rest_.size() / 6; }

private:
    std::string_view rest_;
};

bool within(int64_t value, int64_t low, int64_t high) {
    return low <= value && value <= high;
}

// The states the program can be in; anything else is no journal of it.
bool isPossible(const JournalLesson& lesson) {
    if (lesson.Variables != 2 && lesson.Variables != 3)
        return false;
    const bool running = lesson.Kind != JournalTask::None;
    if (running ? !within(lesson.Mode, 1, 3) : lesson.Mode != 0)
        return false;
    if (lesson.Rule.size() > MaxFormulaLength)
        return false;
    switch (lesson.Kind) {
    case JournalTask::None:
        if (lesson.Task != 0 || !lesson.Rule.empty())
            return false;
        break;
    case JournalTask::BuiltIn:
        // With extra tasks in force and 3 variables, 1..20 is an extra task.
        if (!within(lesson.Task, 1, BuiltInTasks) || !lesson.Rule.empty() ||
            (lesson.ExtraTaskMode && lesson.Variables == 3))
            return false;
        break;
    case JournalTask::Own:
        if (!within(lesson.Task, BuiltInTasks + 1, 70))
            return false;
        break;
    case JournalTask::Extra:
        if (!within(lesson.Task, 1, BuiltInTasks) || !lesson.ExtraTaskMode ||
            lesson.Variables != 3 ||
            lesson.ExtraTasks[static_cast<std::size_t>(lesson.Task)].Formula != lesson.Rule)
            return false;
        break;
    }

    const std::size_t count = lesson.Activities.size();
    if (count == 0 && (lesson.InProgressRecorded || !lesson.InProgressName.empty()))
        return false;
    if (lesson.InProgressRecorded && lesson.Activities.back().Name != lesson.InProgressName)
        return false;
    // An activity past the 50th has no record; the table is then full.
    if (count > 0 && !lesson.InProgressRecorded && (count != 50 || lesson.InProgressName.empty()))
        return false;
    return !lesson.Log.empty() && within(lesson.DeliveredLines, 0, int64_t(lesson.Log.size()));
}

} // namespace

std::string SealJournal(std::string_view body) {
    return std::string(EndKeyword) + ' ' + hex(checkSum(body)) + '\n';
}

std::string EncodeJournal(const JournalLesson& lesson) {
    Writer w;
    w.Line(Magic, {JournalVersion})
        .Line("program", {}, lesson.ProgramVersion)
        .Line("variables", {lesson.Variables})
        .Line("task", {static_cast<int64_t>(lesson.Kind), lesson.Task, lesson.Mode})
        .Line("rule", {}, lesson.Rule)
        .Line("extratasks", {lesson.ExtraTaskMode ? 1 : 0});
    if (lesson.ExtraTaskMode)
        for (int k = 1; k <= ExtraTaskCount; ++k) {
            const ExtraTask& task = lesson.ExtraTasks[static_cast<std::size_t>(k)];
            w.Line("extra", {task.VariableCount}, task.Formula);
        }
    w.Line("heading", {}, lesson.Heading);
    w.Line("activities", {static_cast<int64_t>(lesson.Activities.size())});
    for (const JournalActivity& a : lesson.Activities)
        w.Line("activity", {a.Duration, a.DataSets, a.RightAnswers}, a.Name);
    w.Line("inprogress",
           {lesson.InProgressRecorded ? 1 : 0, lesson.PendingDataSets, lesson.ElapsedMs},
           lesson.InProgressName);
    w.Line("delivered", {lesson.DeliveredLines});
    w.Line("log", {static_cast<int64_t>(lesson.Log.size())});
    for (const std::string& line : lesson.Log)
        w.Line("line", {}, line);
    std::string& bytes = w.Bytes();
    bytes += SealJournal(bytes);
    return std::move(bytes);
}

std::optional<JournalLesson> DecodeJournal(std::string_view bytes) {
    if (bytes.size() > MaxJournalBytes)
        return std::nullopt;
    // The check sum first: a journal cut short or changed is not read on.
    const std::size_t endLine = bytes.rfind("\nend ");
    if (endLine == std::string_view::npos)
        return std::nullopt;
    const std::string_view body = bytes.substr(0, endLine + 1);
    if (bytes.substr(endLine + 1) != SealJournal(body))
        return std::nullopt;

    Reader r(body);
    JournalLesson lesson;
    auto text = [&](std::string_view keyword, std::string& into) {
        std::optional<Fields> f = r.Line(keyword, 0, true);
        if (f)
            into = std::move(f->Text);
        return f.has_value();
    };
    const std::optional<Fields> version = r.Line(Magic, 1, false);
    if (!version || version->Numbers[0] != JournalVersion ||
        !text("program", lesson.ProgramVersion))
        return std::nullopt;

    const std::optional<Fields> variables = r.Line("variables", 1, false);
    const std::optional<Fields> task = r.Line("task", 3, false);
    if (!variables || !task || !within(task->Numbers[0], 0, 3) ||
        !within(task->Numbers[1], 0, 70) || !within(task->Numbers[2], 0, 3) ||
        !text("rule", lesson.Rule))
        return std::nullopt;
    lesson.Variables = static_cast<int32_t>(variables->Numbers[0]);
    lesson.Kind = static_cast<JournalTask>(task->Numbers[0]);
    lesson.Task = static_cast<int32_t>(task->Numbers[1]);
    lesson.Mode = static_cast<int32_t>(task->Numbers[2]);

    const std::optional<Fields> extra = r.Line("extratasks", 1, false);
    if (!extra || !within(extra->Numbers[0], 0, 1))
        return std::nullopt;
    lesson.ExtraTaskMode = extra->Numbers[0] == 1;
    for (int k = 1; lesson.ExtraTaskMode && k <= ExtraTaskCount; ++k) {
        std::optional<Fields> f = r.Line("extra", 1, true);
        if (!f || !within(f->Numbers[0], 2, 3) || f->Text.size() > MaxFormulaLength)
            return std::nullopt;
        ExtraTask& entry = lesson.ExtraTasks[static_cast<std::size_t>(k)];
        entry.VariableCount = static_cast<int32_t>(f->Numbers[0]);
        entry.Formula = std::move(f->Text);
    }
    if (!text("heading", lesson.Heading))
        return std::nullopt;

    const std::optional<Fields> activities = r.Line("activities", 1, false);
    if (!activities || !within(activities->Numbers[0], 0, 50))
        return std::nullopt;
    for (int64_t k = 0; k < activities->Numbers[0]; ++k) {
        std::optional<Fields> f = r.Line("activity", 3, true);
        if (!f || f->Text.size() > MaxNameBytes)
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            if (!within(f->Numbers[i], INT32_MIN, INT32_MAX))
                return std::nullopt;
        lesson.Activities.push_back({static_cast<int32_t>(f->Numbers[0]),
                                     static_cast<int32_t>(f->Numbers[1]),
                                     static_cast<int32_t>(f->Numbers[2]), std::move(f->Text)});
    }
    std::optional<Fields> progress = r.Line("inprogress", 3, true);
    if (!progress || !within(progress->Numbers[0], 0, 1) ||
        !within(progress->Numbers[1], INT32_MIN, INT32_MAX) ||
        !within(progress->Numbers[2], 0, MillisecondsPerDay) ||
        progress->Text.size() > MaxNameBytes)
        return std::nullopt;
    lesson.InProgressRecorded = progress->Numbers[0] == 1;
    lesson.PendingDataSets = static_cast<int32_t>(progress->Numbers[1]);
    lesson.ElapsedMs = static_cast<int32_t>(progress->Numbers[2]);
    lesson.InProgressName = std::move(progress->Text);

    const std::optional<Fields> delivered = r.Line("delivered", 1, false);
    const std::optional<Fields> log = r.Line("log", 1, false);
    if (!delivered || !log || !within(delivered->Numbers[0], 0, INT32_MAX) ||
        !within(log->Numbers[0], 1, static_cast<int64_t>(r.LinesLeft())))
        return std::nullopt;
    lesson.DeliveredLines = static_cast<int32_t>(delivered->Numbers[0]);
    for (int64_t k = 0; k < log->Numbers[0]; ++k) {
        std::string& line = lesson.Log.emplace_back();
        if (!text("line", line))
            return std::nullopt;
    }
    if (!r.AtEnd() || !isPossible(lesson))
        return std::nullopt;
    return lesson;
}

} // namespace KolvErkl
