#include "commands.h"

#include <functional>
#include <map>

#include "args.h"
#include "shared/calendar_day.h"
#include "shared/clock.h"
#include "shared/cp932.h"

namespace tavo::cli {
namespace {

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: tavocal COMMAND [--today YYYY-MM-DD]\n"
    "  day YYYY-MM-DD      one line of facts about a date\n";

struct Context {
    Args args;
    std::ostream& out;
    std::ostream& err;
};

int fail(Context& c, const std::string& message) {
    c.err << "tavocal: " << message << "\n";
    return kUsageError;
}

int commandDay(Context& c) {
    if (c.args.positional.size() != 2) return fail(c, "day needs one date YYYY-MM-DD");
    const auto date = parseIsoDate(c.args.positional[1]);
    if (!date) return fail(c, "not a date between 1582-10-15 and 9999-12-31: " + c.args.positional[1]);
    CalendarDay d(date->year, date->month, date->day);
    const std::string rokuyo = d.rokuyo() < 0 ? "-" : cp932ToUtf8(d.rokuyoName());
    c.out << "date=" << formatIsoDate(d.year(), d.month(), d.day()) << " weekday=" << d.weekday()
          << " serial=" << d.serialDay() << " era=" << cp932ToUtf8(d.eraName()) << " erayear=" << d.eraYear()
          << " rokuyo=" << rokuyo << "\n";
    return 0;
}

const std::map<std::string, std::function<int(Context&)>>& commands() {
    static const std::map<std::string, std::function<int(Context&)>> table = {
        {"day", commandDay},
    };
    return table;
}

}  // namespace

int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Context c{{}, out, err};
    const std::string parseError = parseArgs(words, {"--today", "--dir", "--type", "--before", "--after"}, c.args);
    if (!parseError.empty()) return fail(c, parseError);
    if (c.args.positional.empty()) {
        err << kUsage;
        return kUsageError;
    }
    const auto command = commands().find(c.args.positional[0]);
    if (command == commands().end()) {
        err << kUsage;
        return kUsageError;
    }
    FixedClock fixed({});
    if (const auto today = c.args.options.find("--today"); today != c.args.options.end()) {
        const auto date = parseIsoDate(today->second);
        if (!date) return fail(c, "--today needs a date YYYY-MM-DD: " + today->second);
        fixed.set(*date);
        setClock(&fixed);
    }
    const int status = command->second(c);
    setClock(nullptr);
    return status;
}

}  // namespace tavo::cli
