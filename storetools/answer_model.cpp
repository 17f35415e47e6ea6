#include "storetools/answer_model.h"

ResultModel AnswerModel(const QueryAnswer& answer)
{
    ResultModel model;
    for (const std::string& column : answer.columns)
        model.AddColumn(ResultColumn{column});
    for (const std::vector<QueryValue>& row : answer.rows) {
        ResultRow cells;
        for (const QueryValue& value : row)
            cells.cells.push_back(value.Text());
        model.AppendRow(std::move(cells));
    }
    return model;
}
