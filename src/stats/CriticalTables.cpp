#include "stats/CriticalTables.h"

#include "core/NumberText.h"

#include <array>
#include <string_view>

namespace zx {

namespace {

constexpr std::array<const char*, 18> kLordOneSided = {
    "  3 0.974 1.715",
    "  4 0.644 1.047",
    "  5 0.493 0.772",
    "  6 0.405 0.621",
    "  7 0.347 0.525",
    "  8 0.306 0.459",
    "  9 0.275 0.409",
    " 10 0.250 0.371",
    " 11 0.233 0.340",
    " 12 0.214 0.315",
    " 13 0.201 0.294",
    " 14 0.189 0.276",
    " 15 0.179 0.261",
    " 16 0.170 0.247",
    " 17 0.162 0.236",
    " 18 0.155 0.225",
    " 19 0.149 0.216",
    " 20 0.143 0.207",
};

constexpr std::array<const char*, 18> kLordTwoSided = {
    "  3 1.272 2.093",
    "  4 0.831 1.237",
    "  5 0.613 0.896",
    "  6 0.499 0.714",
    "  7 0.426 0.600",
    "  8 0.373 0.521",
    "  9 0.334 0.464",
    " 10 0.304 0.419",
    " 11 0.280 0.384",
    " 12 0.260 0.355",
    " 13 0.243 0.331",
    " 14 0.228 0.311",
    " 15 0.216 0.293",
    " 16 0.205 0.278",
    " 17 0.195 0.264",
    " 18 0.187 0.252",
    " 19 0.179 0.242",
    " 20 0.172 0.232",
};

// Two-sided 10 %, one-sided 5 %.
constexpr std::array<const char*, 23> kU10 = {
    " 3   6",
    " 4   6  11",
    " 5   7  12  19",
    " 6   8  13  20  28",
    " 7   8  14  21  29  39",
    " 8   9  15  23  31  41  51",
    " 9  10  16  24  33  43  54  66",
    "10  10  17  26  35  45  56  69  82",
    "11  11  18  27  37  47  59  72  86 100",
    "12  11  19  28  38  49  62  75  89 104 120",
    "13  12  20  30  40  52  64  78  92 108 125 142",
    "14  13  21  31  42  54  67  81  96 112 129 147 166",
    "15  13  22  33  44  56  69  84  99 116 133 152 171 192",
    "16  14  24  34  46  58  72  87 103 120 138 156 176 197 219",
    "17  15  25  35  47  61  75  90 106 123 142 161 182 203 225 249",
    "18  15  26  37  49  63  77  93 110 127 146 166 187 208 231 255 280",
    "19  16  27  38  51  65  80  96 113 131 150 171 192 214 237 262 287 313",
    "20  17  28  40  53  67  83  99 117 135 155 175 197 220 243 268 294 320 348",
    "21  17  29  41  55  69  85 102 120 139 159 180 202 225 249 274 301 328 356 385",
    "22  18  30  43  57  72  88 105 123 143 163 185 207 231 255 281 307 335 364 393 424",
    "23  19  31  44  58  74  90 108 127 147 168 189 212 236 261 287 314 342 371 401 432 465",
    "24  19  32  45  60  76  93 111 130 151 172 194 218 242 267 294 321 350 379 410 441 474 507",
    "25  20  33  47  62  78  96 114 134 155 176 199 223 248 273 300 328 357 387 418 450 483 517 552",
};

// Two-sided 5 %, one-sided 2.5 %.
constexpr std::array<const char*, 22> kU5 = {
    " 4      10",
    " 5   6  11  17",
    " 6   7  12  18  26",
    " 7   7  13  20  27  36",
    " 8   8  14  21  29  38  49",
    " 9   8  14  22  31  40  51  62",
    "10   9  15  23  32  42  53  65  78",
    "11   9  16  24  34  44  55  68  81  96",
    "12  10  17  26  35  46  58  71  84  99 115",
    "13  10  18  27  37  48  60  73  88 103 119 136",
    "14  11  19  28  38  50  62  76  91 106 123 141 160",
    "15  11  20  29  40  52  65  79  94 110 127 145 164 184",
    "16  12  21  30  42  54  67  82  97 113 131 150 169 190 211",
    "17  12  21  32  43  56  70  84 100 117 135 154 174 195 217 240",
    "18  13  22  33  45  58  72  87 103 121 139 158 179 200 222 246 270",
    "19  13  23  34  46  60  74  90 107 124 143 163 183 205 228 252 277 303",
    "20  14  24  35  48  62  77  93 110 128 147 167 188 210 234 258 283 309 337",
    "21  14  25  37  50  64  79  95 113 131 151 171 193 216 239 264 290 316 344 373",
    "22  15  26  38  51  66  81  98 116 135 155 176 198 221 245 270 296 323 351 381 411",
    "23  15  27  39  53  68  84 101 119 139 159 180 203 226 251 276 303 330 359 388 419 451",
    "24  16  27  40  54  70  86 104 122 142 163 185 207 231 256 282 309 337 366 396 427 459 492",
    "25  16  28  42  56  72  89 107 126 146 167 189 212 237 262 288 316 344 373 404 435 468 501 536",
};

// Two-sided 1 %, one-sided 0.5 %.
constexpr std::array<const char*, 21> kU1 = {
    " 5          15",
    " 6      10  16  23",
    " 7      10  16  24  32",
    " 8      11  17  25  34  43",
    " 9   6  11  18  26  35  45  56",
    "10   6  12  19  27  37  47  58  71",
    "11   6  12  20  28  38  49  61  73  87",
    "12   7  13  21  30  40  51  63  76  90 105",
    "13   7  13  22  31  41  53  65  79  93 109 125",
    "14   7  14  22  32  43  54  67  81  96 112 129 147",
    "15   8  15  23  33  44  56  69  84  99 115 133 151 171",
    "16   8  15  24  34  46  58  72  86 102 119 136 155 175 196",
    "17   8  16  25  36  47  60  74  89 105 122 140 159 180 201 223",
    "18   8  16  26  37  49  62  76  92 108 125 144 163 184 206 228 252",
    "19   9  17  27  38  50  64  78  94 111 129 148 168 189 210 234 258 283",
    "20   9  18  28  39  52  66  81  97 114 132 151 172 193 215 239 263 289 315",
    "21   9  18  29  40  53  68  83  99 117 136 155 176 198 220 244 269 295 322 349",
    "22  10  19  29  42  55  70  85 102 120 139 159 180 202 225 249 275 301 328 356 386",
    "23  10  19  30  43  57  71  88 105 123 142 163 184 207 230 255 280 307 335 363 393 424",
    "24  10  20  31  44  58  73  90 107 126 146 166 188 211 235 260 286 313 341 370 400 431 464",
    "25  11  20  32  45  60  75  92 110 129 149 170 192 216 240 265 292 319 348 377 408 439 472 505",
};

// The row of n' = 21 has always been printed with its third field moved one
// character to the left; the leading-number rule still reads 49 there.
constexpr std::array<const char*, 24> kWilcoxon = {
    " 6   2   1   1   1",
    " 7   3   2   1   1",
    " 8   5   4   2   1",
    " 9   8   6   3   2",
    "10  10   8   5   3",
    "11  13  11   7   5",
    "12  17  14  10   7",
    "13  21  17  13  10",
    "14  25  21  16  13",
    "15  30  25  20  16",
    "16  35  30  24  20",
    "17  41  35  28  23",
    "18  47  40  33  28",
    "19  53  46  38  32",
    "20  60  52  43  38",
    "21  67  59 49  43",
    "22  75  66  56  49",
    "23  83  73  62  55",
    "24  91  81  69  61",
    "25 100  89  77  68",
    "26 110  98  84  75",
    "27 119 107  92  83",
    "28 130 116 101  91",
    "29 140 126 110 100",
};

// Characters from..from+length-1 (1-based) of a row, shorter or empty where
// the row ends before.
std::string_view columns(std::string_view row, std::size_t from, std::size_t length)
{
    if (from < 1 || from > row.size())
        return {};
    return row.substr(from - 1, length);
}

// The row whose first `keyWidth` characters read as `key`.
const char* findRow(std::span<const char* const> rows, std::size_t keyWidth, int key)
{
    for (const char* row : rows)
        if (Val(columns(row, 1, keyWidth)) == key)
            return row;
    return nullptr;
}

} // namespace

std::span<const char* const> LordRows(Alternative alternative)
{
    if (alternative == Alternative::TwoSided)
        return kLordTwoSided;
    return kLordOneSided;
}

std::optional<double> LordTable(Alternative alternative, int n, double alpha)
{
    const char* row = findRow(LordRows(alternative), 3, n);
    if (!row)
        return std::nullopt;
    if (alpha == 0.05)
        return Val(columns(row, 5, 5));
    if (alpha == 0.01)
        return Val(columns(row, 11, 5));
    return std::nullopt;
}

std::span<const char* const> UTestRows(int twoSidedPercent)
{
    switch (twoSidedPercent) {
    case 10: return kU10;
    case 5: return kU5;
    case 1: return kU1;
    }
    return {};
}

std::optional<Single> UTestTable(Alternative alternative, int n, int m, double alpha)
{
    const bool twoSided = alternative == Alternative::TwoSided;
    int table = 0;
    if ((twoSided && alpha == 0.1) || (!twoSided && alpha == 0.05))
        table = 10;
    else if ((twoSided && alpha == 0.05) || (!twoSided && alpha == 0.025))
        table = 5;
    else if ((twoSided && alpha == 0.01) || (!twoSided && alpha == 0.005))
        table = 1;
    else
        return std::nullopt;
    const char* row = findRow(UTestRows(table), 2, m);
    if (!row || n < 3 || n > m)
        return Single(0);
    const auto from = static_cast<std::size_t>(4 + 4 * (n - 3));
    return static_cast<Single>(Val(columns(row, from, 3)));
}

std::span<const char* const> WilcoxonRows() { return kWilcoxon; }

std::optional<double> WilcoxonTable(Alternative alternative, int nPrime, double alpha)
{
    const char* row = findRow(kWilcoxon, 2, nPrime);
    if (!row)
        return std::nullopt;
    // The levels of fields 1 to 4, compared exactly.
    constexpr double kTwoSided[] = { 0.1, 0.05, 0.02, 0.01 };
    constexpr double kOneSided[] = { 0.05, 0.025, 0.01, 0.005 };
    const double* levels = alternative == Alternative::TwoSided ? kTwoSided : kOneSided;
    int field = 0;
    for (int k = 1; k <= 4 && field == 0; ++k)
        if (alpha == levels[k - 1])
            field = k;
    if (field == 0)
        return std::nullopt;
    return Val(columns(row, static_cast<std::size_t>(4 * field), 3));
}

} // namespace zx
