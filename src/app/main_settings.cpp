#include "app/main_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The file's lines, and where a key of a section stands in them. Section
// and key names compare without case, as ini files do.
class IniLines {
public:
    explicit IniLines(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines_.push_back(std::move(line));
        }
    }

    std::optional<std::string> Value(std::string_view section, std::string_view key) const
    {
        const auto at = Find(section, key);
        if (!at)
            return std::nullopt;
        const std::string& line = lines_[*at];
        return std::string(Trim(std::string_view(line).substr(line.find('=') + 1)));
    }

    void Set(std::string_view section, std::string_view key, const std::string& value)
    {
        const std::string line = std::string(key) + "=" + value;
        if (const auto at = Find(section, key)) {
            lines_[*at] = line;
            return;
        }
        if (const auto header = FindSection(section)) {
            // After the section's last key, before blank lines and the next section.
            std::size_t end = *header + 1;
            for (std::size_t i = end; i < lines_.size() && !IsSection(lines_[i]); ++i)
                if (!Trim(lines_[i]).empty())
                    end = i + 1;
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), line);
            return;
        }
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
    }

    bool Write(const std::string& path) const
    {
        const std::string temporary = path + ".tmp";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            for (const std::string& line : lines_)
                out << line << '\n';
            out.flush();
            if (!out) {
                out.close();
                std::remove(temporary.c_str());
                return false;
            }
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            std::remove(temporary.c_str());
            return false;
        }
        return true;
    }

private:
    static bool IsSection(std::string_view line)
    {
        const std::string_view trimmed = Trim(line);
        return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
    }

    std::optional<std::size_t> FindSection(std::string_view section) const
    {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string_view trimmed = Trim(lines_[i]);
            if (IsSection(trimmed) && SameName(Trim(trimmed.substr(1, trimmed.size() - 2)), section))
                return i;
        }
        return std::nullopt;
    }

    std::optional<std::size_t> Find(std::string_view section, std::string_view key) const
    {
        const auto header = FindSection(section);
        if (!header)
            return std::nullopt;
        for (std::size_t i = *header + 1; i < lines_.size() && !IsSection(lines_[i]); ++i) {
            const std::string_view line = lines_[i];
            const auto equals = line.find('=');
            if (equals != std::string_view::npos && SameName(Trim(line.substr(0, equals)), key))
                return i;
        }
        return std::nullopt;
    }

    std::vector<std::string> lines_;
};

std::optional<double> ParseFloat(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double ReadFloat(const IniLines& ini, std::string_view key, double fallback, double low)
{
    const auto text = ini.Value("Scale", key);
    const auto value = text ? ParseFloat(*text) : std::nullopt;
    return value && *value >= low && *value <= 1.0 ? *value : fallback;
}

std::string FloatText(double value)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace

RMainSettings RMainSettings::Load(const std::string& path)
{
    const IniLines ini(path);
    RMainSettings settings;
    if (const auto text = ini.Value("Language", "lang")) {
        int language = 0;
        const char* end = text->data() + text->size();
        const auto [stop, error] = std::from_chars(text->data(), end, language);
        if (error == std::errc() && stop == end && (language == 0 || language == 1))
            settings.Language = language;
    }
    settings.OffsetX = ReadFloat(ini, "offsetX", 0.0, 0.0);
    settings.OffsetY = ReadFloat(ini, "offsetY", 0.0, 0.0);
    settings.ViewSizeX = ReadFloat(ini, "viewSizeX", 1.0, kMinViewSize);
    settings.ViewSizeY = ReadFloat(ini, "viewSizeY", 1.0, kMinViewSize);
    return settings;
}

bool RMainSettings::Save(const std::string& path) const
{
    IniLines ini(path);
    ini.Set("Language", "lang", std::to_string(Language == 1 ? 1 : 0));
    ini.Set("Scale", "offsetX", FloatText(OffsetX));
    ini.Set("Scale", "offsetY", FloatText(OffsetY));
    ini.Set("Scale", "viewSizeX", FloatText(ViewSizeX));
    ini.Set("Scale", "viewSizeY", FloatText(ViewSizeY));
    return ini.Write(path);
}
