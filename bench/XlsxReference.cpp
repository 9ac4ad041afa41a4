// The reference for the workbook export: a plain libxlsxwriter program, in
// constant-memory mode, writing the cells of a TSV list (the output of
// `qor-erp list --format tsv`) as text, one sheet.
// Usage: xlsx_reference LIST.tsv OUT.xlsx
#include <xlsxwriter.h>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LIST.tsv OUT.xlsx\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(argv[2], &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    std::string line;
    std::string cell;
    lxw_row_t row = 0;
    while (std::getline(in, line)) {
        lxw_col_t column = 0;
        size_t start = 0;
        for (;;) {
            const size_t tab = line.find('\t', start);
            cell.assign(line, start, tab == std::string::npos ? std::string::npos : tab - start);
            if (!cell.empty()) worksheet_write_string(sheet, row, column, cell.c_str(), nullptr);
            if (tab == std::string::npos) break;
            start = tab + 1;
            ++column;
        }
        ++row;
    }
    return workbook_close(workbook) == LXW_NO_ERROR ? 0 : 1;
}
