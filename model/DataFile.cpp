// The wall data file: TProgramData's writer and reader.
#include "model/AtomicFile.h"
#include "model/BlockReader.h"
#include "model/BlockWriter.h"
#include "model/FileLayout.h"
#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "model/WallTableRows.h"
#include "model/WordReader.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"
#include "units/Units.h"

std::string TextAfterTheWallMessage(int line)
{
    return "Text follows the end of the wall at line " + std::to_string(line + 1) +
           ": it is no part of the wall and was not read.";
}

std::string TProgramData::DataFileText()
{
    std::string text;
    TBlockWriter writer(*this, text);
    writer.WriteBlock({Title, false, TGeneratedPressure::Kind});
    writer.WriteLine(std::to_string(LongTermMarkerOf(LongTermAnalysis)));
    if (LongTermAnalysis) {
        writer.WriteBlock({Title, true, TGeneratedPressure::Triangular});
        writer.WriteLine("0");
    }
    return text;
}

void TProgramData::WriteDataFile() { WriteDataFile({}); }

void TProgramData::WriteDataFile(const std::vector<TFileWrite>& alongside)
{
    std::vector<TFileWrite> files{{FileName, DataFileText()}};
    files.insert(files.end(), alongside.begin(), alongside.end());
    // Once the data file is in place it is this instance's, even when a file after it fails.
    WriteFilesTogether(files, [this](std::size_t index) {
        if (index == 0)
            DiskStamp = DiskStampOf(FileName);
    });
    document_.SetModified(false);
    StageFilesCurrent = true;
}

void ReadDataFileBlocks(TProgramData& wall, TWordReader& reader, TFileLayout layout)
{
    TBlockReader blocks(wall, reader);
    blocks.ReadBlock(layout, TBlockRole::First);
    if (layout != TFileLayout::Version20) {
        if (reader.ReadInteger() == kLongTermMarker) {
            wall.LongTermAnalysis = true;
            reader.ReadLine();  // the rest of the marker line
            blocks.ReadBlock(layout, TBlockRole::LongTerm);
            reader.ReadInteger();
        }
    }
}

std::unique_ptr<TProgramData> TProgramData::CreateFromFile(TWallDocument& document, const std::string& path,
                                                           TFileLayout layout)
{
    std::vector<std::string> diagnostics;
    auto wall = CreateFromFile(document, path, layout, diagnostics);
    for (const std::string& message : diagnostics)
        document.UserPrompt().Information(message);
    return wall;
}

std::unique_ptr<TProgramData> TProgramData::CreateFromFile(TWallDocument& document, const std::string& path,
                                                           TFileLayout layout, std::vector<std::string>& diagnostics)
{
    std::unique_ptr<TProgramData> wall(new TProgramData(document));
    wall->FileName = path;
    // Taken before reading: a change made while the file is read is noticed too.
    wall->DiskStamp = DiskStampOf(path);
    EmptyAllTables(document.Tables());
    // The tables may still be in the last wall's unit system; a file that
    // cannot be read leaves an English wall with English tables.
    wall->SwitchUnits(UnitSystem::English);

    try {
        TWordReader reader(path);
        ReadDataFileBlocks(*wall, reader, layout);
        // The blocks of later stages follow the first; anything after a wall
        // of one stage is no part of it, and is not read.
        if (wall->StageCount <= 1)
            if (const int line = reader.NextTextLine(); line >= 0)
                diagnostics.push_back(TextAfterTheWallMessage(line));
    } catch (const EInOutError& error) {
        diagnostics.push_back(error.what());
    }

    wall->Padding = PadToMinRows(document.Tables());
    document.SetModified(false);
    wall->StageFilesCurrent = true;
    return wall;
}
