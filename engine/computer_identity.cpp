#include "engine/computer_identity.h"

#include <vector>

#include "base/computer_domain.h"
#include "engine/query_executor.h"

namespace {

constexpr char kIdentityQuery[] = "SELECT Name, Domain, DomainRole FROM Win32_ComputerSystem";
const wchar_t* const kIdentityProperties[] = {L"Name", L"Domain", L"DomainRole", nullptr};

// The first object's raw values, nothing else.
class FirstRow : public ResultTable {
public:
    void DeleteAllRows() override { cells_.clear(); rows_ = 0; }
    int AppendRow() override { return rows_++; }
    bool SetCell(int, int, std::string) override { return true; }
    bool KeepsRawValues() const override { return true; }
    void SetRawCell(int row, int column, RawValue value) override
    {
        if (row != 0 || column < 0)
            return;
        if (cells_.size() <= static_cast<size_t>(column))
            cells_.resize(column + 1);
        cells_[column] = std::move(value);
    }
    RawValue Cell(size_t column) const { return column < cells_.size() ? cells_[column] : RawValue{}; }

private:
    std::vector<RawValue> cells_;
    int rows_ = 0;
};

}  // namespace

bool ReadComputerIdentity(CheckContext& check)
{
    if (check.IsStopRequested())
        return false;
    const CheckProblemNote before = check.Problem();
    FirstRow row;
    std::string errorText;
    long objects = 0;
    const QueryOutcome outcome =
        ExecuteStandardQuery(check, 0, kIdentityQuery, kIdentityProperties, row, errorText, objects);
    check.RestoreProblem(before);
    if (outcome == QueryOutcome::Failed || objects == 0 || check.IsStopRequested() || row.Cell(0).Text().empty())
        return false;
    check.SetComputerIdentity(row.Cell(0).Text(), DnsDomainOf(row.Cell(1).Text(), row.Cell(2), RawValue{}));
    return true;
}
