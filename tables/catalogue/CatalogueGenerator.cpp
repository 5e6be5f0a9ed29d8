// Build tool: turns the readable catalogue of the wall's input tables
// (wall_tables.json) into a C++ source that embeds, per table, its properties
// and its column definitions as the typed-value stream the tables read.
//
//   torvik_catalogue_generator wall_tables.json WallTableCatalogue.cpp

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tables/ValueWriter.h"

namespace {

using nlohmann::json;

// Column kind numbers of the column registry.
enum ColumnKind : std::int32_t { KindChoice = 0, KindInteger = 1, KindReal = 2, KindTable = 3, KindText = 4 };

std::int32_t KindNumber(const std::string& kind)
{
    if (kind == "choice") return KindChoice;
    if (kind == "integer") return KindInteger;
    if (kind == "real") return KindReal;
    if (kind == "table") return KindTable;
    if (kind == "text") return KindText;
    throw std::runtime_error("unknown column kind \"" + kind + "\"");
}

std::int32_t Int32(const json& value, const char* key)
{
    const json& item = value.at(key);
    if (!item.is_number_integer())
        throw std::runtime_error(std::string("\"") + key + "\" must be an integer");
    const auto v = item.get<std::int64_t>();
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw std::runtime_error(std::string("\"") + key + "\" is outside the 32-bit range");
    return static_cast<std::int32_t>(v);
}

// A misspelt optional key would silently fall back to its default, so every key must be known.
void CheckKeys(const json& object, std::initializer_list<const char*> known)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool found = false;
        for (const char* key : known)
            found = found || it.key() == key;
        if (!found)
            throw std::runtime_error("unknown key \"" + it.key() + "\"");
    }
}

std::vector<std::string> Texts(const json& value, const char* key)
{
    return value.at(key).get<std::vector<std::string>>();
}

// The definition of one column: the layout with "FLOATCOLUMN2" and "FLEXCOLUMN2".
void WriteColumn(TValueWriter& writer, const json& column)
{
    const std::int32_t kind = KindNumber(column.at("kind").get<std::string>());
    writer.WriteInteger(kind);
    writer.WriteStringList(Texts(column, "captions"));
    writer.WriteBoolean(column.value("visible", true));
    writer.WriteBoolean(column.value("groupWide", false));
    switch (kind) {
    case KindChoice:
        CheckKeys(column, {"kind", "captions", "visible", "groupWide", "choices"});
        writer.WriteStringList(Texts(column, "choices"));
        break;
    case KindInteger:
        CheckKeys(column, {"kind", "captions", "visible", "groupWide", "default", "min", "max"});
        writer.WriteInteger(Int32(column, "default"));
        writer.WriteInteger(Int32(column, "min"));
        writer.WriteInteger(Int32(column, "max"));
        break;
    case KindReal:
        CheckKeys(column, {"kind", "captions", "visible", "groupWide", "isTopDepth", "dimension", "default"});
        writer.WriteBoolean(column.value("isTopDepth", false));
        writer.WriteString("FLOATCOLUMN2");
        writer.WriteString(column.at("dimension").get<std::string>());
        writer.WriteFloat(column.at("default").get<long double>());
        break;
    case KindTable: {
        CheckKeys(column, {"kind", "captions", "visible", "groupWide", "templates"});
        writer.WriteString("FLEXCOLUMN2");
        std::vector<std::int32_t> templates;
        for (const json& id : column.at("templates"))
            templates.push_back(id.get<std::int32_t>());
        writer.WriteIntegerList(templates);
        break;
    }
    case KindText:
        CheckKeys(column, {"kind", "captions", "visible", "groupWide", "default", "width"});
        writer.WriteString(column.at("default").get<std::string>());
        writer.WriteFloat(column.at("width").get<long double>());
        break;
    }
}

// A C++ string literal; every byte outside printable ASCII as a 3-digit octal escape.
std::string Literal(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r" : "") + lines[i];
    return text;
}

void WriteBytes(std::ostream& out, const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0) out << "\n   ";
        char hex[8];
        std::snprintf(hex, sizeof hex, " 0x%02X,", bytes[i]);
        out << hex;
    }
    out << '\n';
}

std::string Generate(const json& catalogue)
{
    std::ostringstream arrays;
    std::ostringstream entries;
    const json& tables = catalogue.at("tables");
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const json& table = tables[t];
        const std::string name = table.at("name").get<std::string>();
        TValueWriter writer;
        try {
            CheckKeys(table, {"name", "identifier", "caption", "minRows", "maxRows", "hardwiredButton", "topLeft",
                              "comments", "helpPicture", "columns"});
            const json& columns = table.at("columns");
            writer.WriteInteger(static_cast<std::int32_t>(columns.size()));
            for (std::size_t c = 0; c < columns.size(); ++c) {
                try {
                    WriteColumn(writer, columns[c]);
                } catch (const std::exception& e) {
                    throw std::runtime_error("column " + std::to_string(c + 1) + ": " + e.what());
                }
            }
        } catch (const std::exception& e) {
            throw std::runtime_error("table " + name + ": " + e.what());
        }
        arrays << "const std::uint8_t Columns" << t << "[] = {";
        WriteBytes(arrays, writer.Bytes());
        arrays << "};\n\n";
        entries << "    {" << Literal(name) << ", " << Int32(table, "identifier") << ", "
                << Literal(table.at("caption").get<std::string>()) << ", " << Int32(table, "minRows") << ", "
                << Int32(table, "maxRows") << ", " << (table.at("hardwiredButton").get<bool>() ? "true" : "false")
                << ", " << Literal(table.value("topLeft", std::string())) << ",\n     "
                << Literal(JoinLines(table.value("comments", std::vector<std::string>()))) << ", "
                << Literal(table.value("helpPicture", std::string())) << ",\n     Columns" << t
                << ", sizeof Columns" << t << "},\n";
    }
    std::ostringstream out;
    out << "// Generated from tables/catalogue/wall_tables.json by torvik_catalogue_generator.\n"
        << "#include \"tables/catalogue/WallTableCatalogue.h\"\n\nnamespace {\n\n"
        << arrays.str() << "} // namespace\n\n"
        << "const WallTableDefinition WallTableCatalogue[] = {\n" << entries.str() << "};\n\n"
        << "const std::size_t WallTableCatalogueSize = " << tables.size() << ";\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: torvik_catalogue_generator CATALOGUE.json OUTPUT.cpp\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1]);
        if (!in)
            throw std::runtime_error(std::string("cannot open ") + argv[1]);
        const std::string source = Generate(json::parse(in));
        // Written beside the target and renamed, so that a failed run leaves no half file.
        const std::string temporary = std::string(argv[2]) + ".tmp";
        {
            std::ofstream out(temporary, std::ios::binary);
            out << source;
            if (!out.flush())
                throw std::runtime_error("cannot write " + temporary);
        }
        if (std::rename(temporary.c_str(), argv[2]) != 0)
            throw std::runtime_error(std::string("cannot replace ") + argv[2]);
    } catch (const std::exception& e) {
        std::cerr << argv[1] << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
