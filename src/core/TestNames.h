// Values of TestName: the chosen test, or a control value of the data input.
#pragma once

namespace zx::TestNames {
inline constexpr const char* TTestZwei = "t-TEST für Zweistich.";
inline constexpr const char* Welch = "WELCH-TEST";
inline constexpr const char* Lord = "LORD-TEST";
inline constexpr const char* Weir = "WEIR-TEST";
inline constexpr const char* UTest = "U-TEST";
inline constexpr const char* Median = "MEDIAN-TEST";
inline constexpr const char* TTestPaare = "t-TEST für Wertepaare";
inline constexpr const char* Wilcoxon = "WILCOXON-TEST";
inline constexpr const char* Vorzeichen = "VORZEICHEN-TEST";
inline constexpr const char* TVarianz = "t-TEST Varianzvergleich (Wertepaare)";
inline constexpr const char* FVarianz = "F-TEST Varianzvergleich";
// Outcomes of the data manager.
inline constexpr const char* Ende = "ENDE";
inline constexpr const char* Unende = "UNENDE";
} // namespace zx::TestNames
