#include "camera/ModelTable.h"

#include <array>

namespace {

enum class Match { List, Exact };

struct ModelRow {
    Match match;
    const char* text;
    const char* file;
};

// Tried top to bottom, first hit wins. List rows hit when the model occurs
// anywhere in the text.
constexpr std::array<ModelRow, 11> kChain{{
    {Match::List, "Y3 Y3S Y300 Y300S Y700", "Cam0001.omd"},
    {Match::Exact, "Y3X", "Cam0002.omd"},
    {Match::List, "Y90 Y5000", "Cam0003.omd"},
    {Match::Exact, "Y7000", "Cam0004.omd"},
    {Match::Exact, "Y7100", "Cam0010.omd"},
    {Match::Exact, "Y5100", "Cam0005.omd"},
    {Match::Exact, "Y5200", "Cam0009.omd"},
    {Match::Exact, "Y5300", "Cam0011.omd"},
    {Match::List, "Y800 Y800E", "Cam0006.omd"},
    {Match::List, "Y600 Y610", "Cam0008.omd"},
    {Match::Exact, "Y4", "Cam0007.omd"},
}};

// Tested after the chain, each on its own, so they override it.
constexpr std::array<ModelRow, 2> kAfterChain{{
    {Match::Exact, "YF", "Cam0012.omd"},
    {Match::Exact, "Y4S", "Cam0013.omd"},
}};

bool rowMatches(const ModelRow& row, const std::string& model) {
    if (row.match == Match::Exact) {
        return model == row.text;
    }
    return !model.empty() && std::string(row.text).find(model) != std::string::npos;
}

} // namespace

std::string ModuleFileForModel(const std::string& model, const std::string& current) {
    std::string file = current;
    for (const ModelRow& row : kChain) {
        if (rowMatches(row, model)) {
            file = row.file;
            break;
        }
    }
    for (const ModelRow& row : kAfterChain) {
        if (rowMatches(row, model)) {
            file = row.file;
        }
    }
    return file;
}
