// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/browser_command.h"

namespace ribodex {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string UnescapeValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        // An unknown escape keeps its backslash: the Exec quoting rules give it a meaning.
        default: out += '\\'; out += value[i]; break;
        }
    }
    return out;
}

// Splits the value into words; quoted marks which words had quotes (no field codes there).
bool SplitWords(std::string_view line, std::vector<std::string>& words, std::vector<bool>& quoted)
{
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        bool hadQuote = false;
        while (i < line.size() && !IsBlank(line[i])) {
            if (line[i] != '"') {
                word += line[i++];
                continue;
            }
            hadQuote = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() &&
                    (line[i] == '"' || line[i] == '`' || line[i] == '$' || line[i] == '\\')) {
                    word += line[i++];
                    continue;
                }
                word += c;
            }
            if (!closed)
                return false;
        }
        words.push_back(std::move(word));
        quoted.push_back(hadQuote);
    }
    return true;
}

}  // namespace

std::string WithLeadingDot(std::string_view extension)
{
    if (extension.find('.') != std::string_view::npos)
        return std::string(extension);
    return "." + std::string(extension);
}

std::string_view CutAtQuotedPlaceholder(std::string_view command)
{
    const std::size_t at = command.find("\"%1\"");
    return at == std::string_view::npos ? command : command.substr(0, at);
}

std::string AssociatedCommandLine(std::string_view command, std::string_view argument)
{
    std::string line(CutAtQuotedPlaceholder(command));
    line += ' ';
    line += argument;
    return line;
}

std::optional<std::string> DesktopEntryExec(std::string_view fileText)
{
    bool inEntryGroup = false;
    while (!fileText.empty()) {
        const std::size_t end = fileText.find('\n');
        std::string_view line = Trimmed(fileText.substr(0, end));
        fileText = end == std::string_view::npos ? std::string_view() : fileText.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            // The key belongs to the entry's own group; it does not come after it.
            if (inEntryGroup)
                return std::nullopt;
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntryGroup)
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || Trimmed(line.substr(0, equals)) != "Exec")
            continue;
        std::string value = UnescapeValue(Trimmed(line.substr(equals + 1)));
        if (value.empty())
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> ExecArguments(std::string_view exec, std::string_view argument)
{
    std::vector<std::string> words;
    std::vector<bool> quoted;
    if (!SplitWords(CutAtQuotedPlaceholder(exec), words, quoted))
        return std::nullopt;
    // The program is named as it stands: a field code there would let the address choose it.
    if (!words.empty() && !quoted[0]) {
        const std::string& program = words[0];
        for (std::size_t at = program.find('%'); at != std::string::npos; at = program.find('%', at + 2))
            if (at + 1 < program.size() && program[at + 1] != '%')
                return std::nullopt;
    }
    std::vector<std::string> arguments;
    bool argumentPlaced = false;
    for (std::size_t w = 0; w < words.size(); ++w) {
        const std::string& word = words[w];
        if (quoted[w] || word.find('%') == std::string::npos) {
            arguments.push_back(word);
            continue;
        }
        std::string expanded;
        bool keep = false;  // the word had something besides dropped codes
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%' || i + 1 == word.size()) {
                expanded += word[i];
                keep = true;
                continue;
            }
            const char code = word[++i];
            if (code == '%') {
                expanded += '%';
                keep = true;
            } else if (code == 'u' || code == 'U' || code == 'f' || code == 'F') {
                expanded += argument;
                keep = true;
                argumentPlaced = true;
            }
        }
        if (keep)
            arguments.push_back(std::move(expanded));
    }
    if (arguments.empty() || arguments.front().empty())
        return std::nullopt;
    if (!argumentPlaced)
        arguments.emplace_back(argument);
    return arguments;
}

}  // namespace ribodex
