#include "cli/cli.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/scheme.h"
#include "app/version.h"
#include "app/window_model.h"
#include "cli/analysis_steps.h"
#include "cli/cli_session.h"
#include "cli/history_steps.h"
#include "draws/draw_hosts.h"
#include "runtime/system_error_text.h"
#include "window/control_table.h"

namespace sanxing {

namespace {

using nlohmann::json;

std::string ProgramDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

std::string Dump(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

}  // namespace

JsonMembers Members(const json& object) {
    JsonMembers members;
    for (const auto& [key, value] : object.items()) members[key] = std::make_shared<const std::string>(Dump(value));
    return members;
}

void WriteObject(std::ostream& out, const JsonMembers& members) {
    out << '{';
    for (const auto& [key, text] : members) {
        if (key != members.begin()->first) out << ',';
        out << Dump(key) << ':' << *text;
    }
    out << '}';
}

namespace {

// NAME=VALUE, split at the first "=".
std::pair<std::string, std::string> SplitAssignment(const std::string& option, const std::string& argument) {
    const std::size_t eq = argument.find('=');
    if (eq == std::string::npos) throw BadInput{option + " 需要“名称=值”，收到“" + argument + "”"};
    return {argument.substr(0, eq), argument.substr(eq + 1)};
}

const ControlRow& RequireControl(const WindowModel& window, const std::string& name) {
    if (!window.controls().has(name)) throw BadInput{"没有名为“" + name + "”的控件"};
    return window.controls().spec(name);
}

void RequireKind(const ControlRow& spec, const std::string& option, std::initializer_list<ControlKind> kinds) {
    for (const ControlKind kind : kinds) {
        if (spec.kind == kind) return;
    }
    throw BadInput{option + " 不适用于控件“" + spec.name + "”（类型 " + KindName(spec.kind) + "）"};
}

json ValueForSet(const ControlRow& spec, const std::string& text) {
    if (spec.kind != ControlKind::CheckBox) return text;
    if (text == "1" || text == "true") return true;
    if (text == "0" || text == "false") return false;
    throw BadInput{"选择框“" + spec.name + "”只接受 1、0、true 或 false，收到“" + text + "”"};
}

Step SetStep(const WindowModel& window, const std::string& name, json value) {
    if (auto fits = CheckControlValue(window.controls(), name, value); !fits) throw BadInput{fits.error()};
    return [name, value = std::move(value)](Session& s) { SetControlValue(s.window.controls(), name, value); };
}

// Files given on the command line are read whole, up to a bound: a device such as
// /dev/zero or an endless pipe must not exhaust memory.
constexpr std::size_t kMaxFileText = 64u << 20;

std::string ReadFileText(const std::string& path, const std::string& option) {
    const std::string cannotRead = option + "：无法读取“" + path + "”";
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw BadInput{cannotRead + "（是文件夹）"};
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) throw BadInput{cannotRead + (errno != 0 ? "：" + SystemErrorText(errno) : std::string())};
    std::string text;
    char buffer[1 << 16];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kMaxFileText) throw BadInput{option + "：“" + path + "”超过 64 MB"};
    }
    if (file.bad()) throw BadInput{cannotRead};
    return text;
}

json ValueOf(const WindowModel& window, const std::string& name) {
    const ControlRow& spec = window.controls().spec(name);
    if (spec.kind == ControlKind::CheckBox) return window.controls().ticked(name);
    if (spec.kind == ControlKind::ReportList) {
        json rows = json::array();
        for (const ReportRow& row : window.reportRows(name)) rows.push_back(row);
        return rows;
    }
    return window.controls().text(name);
}

std::string PlainText(const json& value) {
    if (value.is_boolean()) return value.get<bool>() ? "1" : "0";
    if (value.is_string()) return value.get<std::string>();
    std::string text;  // report list: one line per row, columns joined by tabs
    for (const json& row : value) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) text += '\t';
            text += row[c].get_ref<const std::string&>();
        }
        text += '\n';
    }
    if (!text.empty()) text.pop_back();
    return text;
}

json ControlTableJson() {
    json table = json::array();
    for (const ControlRow& spec : ControlTable()) {
        table.push_back({{"name", spec.name},
                         {"kind", KindName(spec.kind)},
                         {"parent", spec.parent},
                         {"text", spec.text},
                         {"items", spec.items},
                         {"selected", spec.selected},
                         {"ticked", spec.ticked}});
    }
    return table;
}

class Parser {
public:
    Parser(const std::vector<std::string>& args, const WindowModel& window) : args_(args), window_(window) {}

    // The steps, or the first bad argument (ErrorCode::BadArgument).
    Result<std::vector<Step>> parse(bool& jsonOutput) {
        try {
            return steps(jsonOutput);
        } catch (const BadInput& bad) {
            return Failure{bad.message, ErrorCode::BadArgument};
        }
    }

private:
    std::vector<Step> steps(bool& jsonOutput) {
        std::vector<Step> steps;
        for (i_ = 0; i_ < args_.size(); ++i_) {
            const std::string& option = args_[i_];
            if (option == "--json") {
                jsonOutput = true;
            } else if (option == "--help" || option == "-h") {
                steps.push_back([](Session& s) { s.out << Usage(); });
            } else if (option == "--version") {
                steps.push_back([](Session& s) { s.out << "sanxing-cli " << kVersion << '\n'; });
            } else if (option == "--controls") {
                steps.push_back([](Session& s) { s.out << Dump(ControlTableJson()) << '\n'; });
            } else if (auto flag = ParseAnalysisFlag(option, history_)) {
                steps.push_back(std::move(*flag));
            } else if (auto shipped = ParseHistoryFlag(option)) {
                steps.push_back(std::move(*shipped));
            } else {
                steps.push_back(withArgument(option));
            }
        }
        return steps;
    }

    Step withArgument(const std::string& option) {
        if (!option.starts_with("--")) throw BadInput{"多余的参数“" + option + "”（选项以 -- 开头）"};
        if (i_ + 1 < args_.size()) {
            auto step = parseWithArgument(option, args_[++i_]);
            if (!step) throw UnknownOption(option);
            return std::move(*step);
        }
        // Nothing follows: an unknown option is named as such, not as lacking its argument.
        // Any option that is one gives a step or refuses the empty argument.
        bool known = true;
        try {
            known = parseWithArgument(option, {}).has_value();
        } catch (const BadInput&) {
        }
        if (!known) throw UnknownOption(option);
        throw BadInput{"选项“" + option + "”缺少参数"};
    }

    static BadInput UnknownOption(const std::string& option) { return {"未知的选项“" + option + "”"}; }

    // The step of an option with an argument, or nothing when there is no such option.
    std::optional<Step> parseWithArgument(const std::string& option, const std::string& argument) {
        if (option == "--scheme") return schemeStep(argument);
        if (option == "--set" || option == "--set-file") {
            auto [name, value] = SplitAssignment(option, argument);
            const ControlRow& spec = RequireControl(window_, name);
            if (option == "--set-file") value = ReadFileText(value, option);
            return SetStep(window_, name, ValueForSet(spec, value));
        }
        if (option == "--click") {
            RequireKind(RequireControl(window_, argument), option, {ControlKind::Button, ControlKind::CheckBox});
            return [argument](Session& s) { s.window.click(argument); };
        }
        if (option == "--select") return selectStep(argument);
        if (option == "--focus-in" || option == "--focus-out") {
            RequireKind(RequireControl(window_, argument), option, {ControlKind::EditBox, ControlKind::ComboBox});
            if (option == "--focus-in") return [argument](Session& s) { s.window.focusIn(argument); };
            return [argument](Session& s) { s.window.focusOut(argument); };
        }
        if (option == "--tick") {
            RequireKind(RequireControl(window_, argument), option, {ControlKind::Timer});
            return [argument](Session& s) { s.window.tick(argument); };
        }
        if (option == "--sources") {
            auto hosts = LoadDrawHosts(argument);
            if (!hosts) throw BadInput{"--sources: " + hosts.error()};
            return [hosts = std::move(*hosts)](Session& s) { s.window.drawHosts() = hosts; };
        }
        if (option == "--answer") {
            if (argument != "yes" && argument != "no") throw BadInput{"--answer 只接受 yes 或 no"};
            const MessageAnswer answer = argument == "yes" ? MessageAnswer::Yes : MessageAnswer::No;
            return [answer](Session& s) { s.platform.answers.push_back(answer); };
        }
        if (option == "--open-path") return [argument](Session& s) { s.platform.openPaths.push_back(argument); };
        if (option == "--save-path") return [argument](Session& s) { s.platform.savePaths.push_back(argument); };
        if (auto step = ParseHistoryOption(option, argument, history_)) return std::move(*step);
        if (auto step = ParseAnalysisOption(option, argument, history_)) return std::move(*step);
        if (option == "--get") {
            RequireControl(window_, argument);
            return [argument](Session& s) {
                json value = ValueOf(s.window, argument);
                if (!s.jsonOutput) s.out << PlainText(value) << '\n';
                s.values[argument] = std::move(value);
            };
        }
        return std::nullopt;
    }

    Step schemeStep(const std::string& path) {
        const std::string text = ReadFileText(path, "--scheme");
        auto scheme = CheckScheme(window_.controls(), text);
        if (!scheme) throw BadInput{"--scheme " + path + ": " + scheme.error()};
        return [scheme = std::move(*scheme)](Session& s) { ApplyScheme(s.window.controls(), scheme); };
    }

    Step selectStep(const std::string& argument) {
        auto [name, indexText] = SplitAssignment("--select", argument);
        const ControlRow& spec = RequireControl(window_, name);
        RequireKind(spec, "--select", {ControlKind::ComboBox});
        std::size_t used = 0;
        int index = -1;
        try {
            index = std::stoi(indexText, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != indexText.size() || index < 0 || index >= static_cast<int>(spec.items.size())) {
            throw BadInput{"--select " + name + "：没有第“" + indexText + "”项（从 0 到 " +
                           std::to_string(static_cast<int>(spec.items.size()) - 1) + "）"};
        }
        return [name = name, index](Session& s) { s.window.selectItem(name, index); };
    }

    const std::vector<std::string>& args_;
    const WindowModel& window_;
    HistoryOptions history_;
    std::size_t i_ = 0;
};

// Lets the window's background work finish before the next step: the draw-list job
// handed in, the rows it hands back to the UI thread, then the timed steps of any speech.
void Settle(Session& s) {
    ManualLoop& loop = s.platform.loop;
    DrawList& draws = s.window.drawList();
    do {
        draws.waitIdle(std::chrono::hours(1));
        loop.runPosted();
    } while (!draws.idle() || loop.hasPosted());
    loop.runTimers();
}

void ShowNewMessages(Session& s) {
    const auto& messages = s.platform.messages;
    for (; s.messagesShown < messages.size(); ++s.messagesShown) {
        const RecordedMessage& m = messages[s.messagesShown];
        s.err << m.caption << ": " << m.text << '\n';
    }
}

// The --json object: values, messages, clipboard, sounds, the last result of each kind and,
// when there are any, every result in order under "steps"; keys in the library's order.
void WriteTranscript(std::ostream& out, const Session& s) {
    json messages = json::array();
    for (const RecordedMessage& m : s.platform.messages) {
        messages.push_back(
            {{"caption", m.caption}, {"text", m.text}, {"icon", IconName(m.icon)}, {"answer", AnswerName(m.answer)}});
    }
    std::map<std::string, std::function<void()>> members;
    const json small = {{"values", s.values},
                        {"messages", messages},
                        {"clipboard", s.platform.clipboard},
                        {"sounds", s.platform.sounds}};
    for (const auto& item : small.items()) {
        const json& value = item.value();
        members[item.key()] = [&out, &value] { out << Dump(value); };
    }
    for (const KeptResult& result : s.steps) {
        members[result.step] = [&out, &result] {  // the last of each kind
            if (result.whole) {
                out << *result.whole;
            } else {
                WriteObject(out, result.members);
            }
        };
    }
    if (!s.steps.empty()) {
        members["steps"] = [&out, &s] {
            out << '[';
            for (const KeptResult& result : s.steps) {
                if (&result != &s.steps.front()) out << ',';
                JsonMembers entry = result.members;
                entry["step"] = std::make_shared<const std::string>(Dump(result.step));
                WriteObject(out, entry);
            }
            out << ']';
        };
    }
    out << '{';
    for (const auto& [key, write] : members) {
        if (key != members.begin()->first) out << ',';
        out << Dump(key) << ':';
        write();
    }
    out << '}';
}

}  // namespace

std::string Usage() {
    return "Usage: sanxing-cli [OPTION]...\n"
           "Runs the handlers of the sanxing window without a display; the options are\n"
           "carried out in order.\n"
           "\n"
           "Options:\n"
           "  --scheme FILE          set controls from a JSON object (name -> value)\n"
           "  --set NAME=VALUE       set a control (check boxes: 1, 0, true, false)\n"
           "  --set-file NAME=PATH   set a control to the text of a file\n"
           "  --click NAME           click a button or check box\n"
           "  --select NAME=INDEX    pick an item of a combo box (组合框_彩种: loads the draw list)\n"
           "  --focus-in NAME        give an edit box or combo box the focus\n"
           "  --focus-out NAME       take the focus from an edit box or combo box\n"
           "  --tick NAME            let a timer fire once (runs its job to completion)\n"
           "  --sources FILE         hosts of the draw sources (JSON: \"A\"..\"H\", \"announcement\")\n"
           "  --answer yes|no        answer for the next question box (default no)\n"
           "  --open-path PATH       what the next open dialog returns (default: cancelled)\n"
           "  --save-path PATH       what the next save dialog returns (default: cancelled)\n"
           "  --get NAME             print the control's value\n" +
           HistoryUsage() + AnalysisUsage() +
           "  --controls             print the control table as JSON\n"
           "  -h, --help             print this help\n"
           "  --version              print the version\n"
           "  --json                 print one JSON object at the end instead (values, messages,\n"
           "                         clipboard, sounds: the sound clips played, in order;\n"
           "                         import, export: what --import-draws, --export-draws did;\n"
           "                         backtest, trend, explain: what those steps found, the last\n"
           "                         of each; steps: every such result in order)\n";
}

namespace {

// The one place where a failure that ends the run becomes words and an exit code: 2 for
// bad arguments (nothing was carried out), 1 for a step that could not be carried out.
int EndWith(const Failure& failure, std::ostream& err) {
    err << "sanxing-cli: " << failure.error << '\n';
    return failure.code == ErrorCode::BadArgument ? 2 : 1;
}

// Carries out the steps in order; the first that fails ends the run.
Result<void> RunSteps(const std::vector<Step>& steps, Session& session) {
    for (const Step& step : steps) {
        Result<void> done;
        try {
            done = step(session);
        } catch (const std::exception& error) {  // a fault of the program: its words as they are
            done = Failure{std::string("程序出错（") + error.what() + "）"};
        }
        if (!done) return done;
        Settle(session);
        if (!session.jsonOutput) ShowNewMessages(session);
    }
    return {};
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Session session(ProgramDirectory(), out, err);
    const auto steps = Parser(args, session.window).parse(session.jsonOutput);
    if (!steps) return EndWith(steps.failure(), err);
    if (auto ran = RunSteps(*steps, session); !ran) return EndWith(ran.failure(), err);
    if (session.jsonOutput) {
        WriteTranscript(out, session);
        out << '\n';
    }
    return session.platform.failed ? 1 : 0;
}

}  // namespace sanxing
