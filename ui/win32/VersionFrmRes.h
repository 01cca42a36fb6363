#pragma once

// Control identifiers of the about and usage window.
namespace ui::win32::version_id {

constexpr int TitleLbl = 201;
constexpr int CreditLbl = 202;
constexpr int BetaLbl = 203;
constexpr int Lbl1 = 204;
constexpr int Lbl2 = 205;
constexpr int StampelLbl = 206;
constexpr int Dot1Lbl = 207;
constexpr int Lbl3 = 208;
constexpr int LinkLbl = 209;
constexpr int Dot2Lbl = 210;
constexpr int OkBtn = 211;

}  // namespace ui::win32::version_id
