// Failures lose nothing: every writer of the library's files is run with its first, second, ... file
// operation failing (as a full disk or a lost network folder would make it fail) until it gets through.
// After each failure the writer reports it and the file on disk is the old one, whole.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "cutstock/stock_files.h"
#include "module_test_support.h"
#include "vtlbase/dstv/dlg_dstv_points.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/levels/ks_levels_dlg_data.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "vtlui/vtl_prof_values_table.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using base::files::failFileWriteAt;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FailingWrites : public ModuleTest {
protected:
    // Runs `write` with its n-th file operation failing, n = 1, 2, ... until it succeeds.
    void expectEveryFailureKeepsTheOldFile(const fs::path& file, const std::function<bool()>& write) {
        const std::string old = bytesOf(file);
        ASSERT_FALSE(old.empty()) << file;
        for (long n = 1;; ++n) {
            ASSERT_LT(n, 10) << file << ": the write never gets through";
            failFileWriteAt(n);
            const bool written = write();
            failFileWriteAt(0);
            if (written) {
                EXPECT_GT(n, 1) << file << ": the write succeeded although its first operation failed";
                EXPECT_NE(bytesOf(file), old) << file << ": the write that got through changed nothing";
                break;
            }
            EXPECT_EQ(bytesOf(file), old) << file << " after a failure at operation " << n;
        }
        for (const auto& entry : fs::recursive_directory_iterator(libraryDir()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
};

TEST_F(FailingWrites, ValuesTablesAndStockFiles) {
    fs::create_directories(libraryDir() / "prof");
    std::ofstream(libraryDir() / "prof" / "HEA.pr", std::ios::binary)
        << "1\r\nSysName\tI/O\tEnglish\th\r\n100\t1\tHEA 100\t96\r\n";
    Vtl_ProfValuesTable table;
    ASSERT_TRUE(table.readFromFile("HEA.pr"));
    table.rows[0][3] = "97";
    expectEveryFailureKeepsTheOldFile(libraryDir() / "prof" / "HEA.pr", [&] { return table.writeToFile("HEA.pr"); });

    Vtl_String folder;
    ASSERT_TRUE(ui::stockFolder("IPE 300", folder));
    std::string error;
    Vtl_Array<Vtl_StringArray> rows;
    rows.append(Vtl_StringArray{"12000", "4", "Hall 2"});
    fs::create_directories(libraryDir() / "Cutting Stock" / "IPE 300");
    ASSERT_TRUE(ui::writeStockFile(folder + "Stock1.shp", rows, error)) << error;
    rows[0][1] = "3";
    const fs::path stock = libraryDir() / "Cutting Stock" / "IPE 300" / "Stock1.shp";
    ASSERT_TRUE(fs::exists(stock));
    expectEveryFailureKeepsTheOldFile(stock, [&] {
        error.clear();
        const bool ok = ui::writeStockFile(folder + "Stock1.shp", rows, error);
        EXPECT_TRUE(ok || !error.empty()) << "a failed stock write gives no reason";
        return ok;
    });
}

TEST_F(FailingWrites, DesignsUnderTheirOwnAndANewName) {
    const Vtl_String path = writeDesign(libraryDir(), "Plate", {"0 0.1 0.1 0.35 0.2 Length", "2 0.4 0.1 0.55 0.2 L"});
    const fs::path root = libraryDir() / "Dialog Templates" / "Dialog Design";
    Vtl_DlgDesignerData design;
    ASSERT_TRUE(design.readFromFile(path, false));
    design.getControlWrite(0)->contents = "Plate length";
    expectEveryFailureKeepsTheOldFile(root / "Plate.txt", [&] { return design.writeToFile(path); });
    // Saved under another name, the picture goes along; a failure on the way leaves the other design whole.
    std::ofstream(root / "Copy.txt", std::ios::binary) << "nrOfControls=0\r\n";
    expectEveryFailureKeepsTheOldFile(root / "Copy.txt", [&] {
        Vtl_DlgDesignerData attempt;
        EXPECT_TRUE(attempt.readFromFile(path, false));
        return attempt.writeToFile(gSettings.libDir() + "Dialog Templates\\Dialog Design\\Copy.txt");
    });
    EXPECT_TRUE(fs::exists(root / "Copy.bmp"));

}

TEST_F(FailingWrites, MacroRecordsPropertyListsPointGroupsAndLevels) {
    MacroData macro;
    macro.macroType = "EndPlate";
    macro.caption = "End plate";
    MacroTabData tab;
    tab.moduleName = tab.displayName = "Plate";
    tab.cells.append(cell("tp", "15.00"));
    macro.tabs.append(tab);
    std::string error;
    const fs::path record = libraryDir() / "EndPlate.macro";
    ASSERT_TRUE(writeMacroFile(Vtl_String(record.string()), macro, error)) << error;
    const fs::path list = libraryDir() / "Heavy.prl";
    ASSERT_TRUE(macro.writeToFile(Vtl_String(list.string())));
    macro.tabs[0].cells[0].value = "20.00";
    expectEveryFailureKeepsTheOldFile(record, [&] { return writeMacroFile(Vtl_String(record.string()), macro, error); });
    expectEveryFailureKeepsTheOldFile(list, [&] { return macro.writeToFile(Vtl_String(list.string())); });

    DlgDstvPoints groups;
    Vtl_Array<Vtl_DstvPointInfo> points;
    points.append(Vtl_DstvPointInfo());
    ASSERT_TRUE(groups.writeToFile("Base", points));
    points.append(Vtl_DstvPointInfo());
    expectEveryFailureKeepsTheOldFile(libraryDir() / "DSTV Points" / "Base.dat", [&] { return groups.writeToFile("Base", points); });

    KsLevelsDlgData levels;
    int index = 0;
    levels.addLevel("Ground floor", index);
    const fs::path levelsFile = libraryDir() / "Levels.lvl";
    ASSERT_TRUE(levels.writeToFile(Vtl_String(levelsFile.string())));
    levels.addLevel("First floor", index);
    expectEveryFailureKeepsTheOldFile(levelsFile, [&] { return levels.writeToFile(Vtl_String(levelsFile.string())); });
}

}  // namespace
}  // namespace vtl::test
