// Fuzzes a score table file: the input's text is enciphered with the table key and written as
// "data/scores1.tab" (so that the fuzzer mutates the plain keys), the input's raw bytes as
// "data/scores2.tab" (a damaged or foreign file), and both are loaded as the game loads its Top 7
// tables; then the game-over steps run on each (rank, insert, the row plan of the Top 7 dialog),
// and what is saved reads back as the same table.
#include "FuzzFiles.h"

#include "game/ScoreTable.h"
#include "resources/CCipher.h"
#include "resources/GameFolders.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<gwfuzz::ScratchFolder> g_scratch;

bool Same(const CScoreTable& a, const CScoreTable& b)
{
    if (a.Entries().size() != b.Entries().size())
        return false;
    for (size_t i = 0; i < a.Entries().size(); ++i) {
        const auto &x = a.Entries()[i], &y = b.Entries()[i];
        if (x.name != y.name || x.score != y.score || x.level != y.level)
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_scratch = std::make_unique<gwfuzz::ScratchFolder>("score");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const std::vector<uint8_t> raw(data, data + size);
    const std::string files[2] = {CurrentFolders().ScoresFile(0), CurrentFolders().ScoresFile(1)};
    g_scratch->Write(files[0], CCipher().Encipher(data, size, CScoreTable::kKey, static_cast<unsigned>(size)));
    g_scratch->Write(files[1], raw);
    for (const std::string& file : files) {
        CScoreTable table;
        table.Load(file);
        const size_t loaded = table.Entries().size();
        (void)CScoreTable::PlanRows(loaded, 600.0f);
        (void)CScoreTable::PlanRows(loaded, 420.0f);
        const int32_t scores[] = {1, 500, 501, -7, 2147483647, static_cast<int32_t>(0x80000000u)};
        for (int32_t s : scores) {
            const int rank = table.Rank(s);
            if (rank < -1 || rank >= CScoreTable::kShown)
                std::abort();
            if (rank != -1)
                table.Insert("fuzz", s, 3);
        }
        // Inserting trims the list to the seven shown rows.
        if (table.Entries().size() > static_cast<size_t>(CScoreTable::kShown) && table.Entries().size() > loaded)
            std::abort();
        if (!table.Save("data/round.tab"))
            continue;
        CScoreTable back;
        if (!back.Load("data/round.tab") || !Same(table, back))
            std::abort();
    }
    return 0;
}
