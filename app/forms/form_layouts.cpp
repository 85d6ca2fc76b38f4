// The two windows as drawn. One row per control: name, kind, container, x, y, width, height (pixels), settings.
#include "app/forms/form_definition.h"

namespace morvane::app {

namespace {
using K = ControlKind;
constexpr uint32_t kWhite = 0xFFFFFF;
}  // namespace

const ControlDefinition* FormDefinition::find(const std::string& control) const {
    for (const ControlDefinition& row : controls)
        if (row.name == control) return &row;
    return nullptr;
}

FormDefinition main_form_definition() {
    return FormDefinition{"main", 820, 711, 0x646464, {
        {"Label1", K::Label, "", {13, 8, 775, 19},
         {{"caption", "MORVANE v1.0"}, {"forecolor", kWhite}, {"fontname", "Tahoma"}, {"fontsize", 8.25},
          {"fontbold", true}}},
        {"Label2", K::SymbolLabel, "", {796, 8, 11, 14},
         {{"symbol", "close"}, {"forecolor", 0xE0E0E0u}, {"fontsize", 9.75}, {"fontweight", 500}, {"accessible", "Close"}}},
        {"elframe2", K::Frame, "", {11, 29, 798, 638},
         {{"backcolor", 0x646464u}, {"color3dlight", 0x222E28u}, {"color3ddark", 0xB2B2B2u}}},
        {"elframe1", K::Frame, "elframe2", {9, 8, 780, 621},
         {{"backcolor", 0x000000u}, {"color3dlight", 0xB2B2B2u}, {"color3ddark", 0x222E28u}}},
        {"Picture2", K::PictureBox, "elframe1", {1, 1, 526, 389}, {{"visible", true}}},
        {"Picture1", K::PictureBox, "elframe1", {0, 0, 1024, 1024}, {{"visible", false}}},
        {"Label3", K::Label, "", {13, 678, 67, 19},
         {{"caption", "Resolution:"}, {"forecolor", kWhite}, {"fontname", "Tahoma"}, {"fontsize", 9.0}}},
        {"elcombo1", K::Combo, "", {80, 677, 185, 20},
         {{"forecolor", kWhite}, {"backcolor", 0x000000u}, {"color3dlight", 0x809188u}, {"color3ddark", 0x222E28u},
          {"fontname", "Tahoma"}, {"fontsize", 9.75}, {"accessible", "Resolution"}}},
        {"elboton2", K::Button, "", {569, 675, 117, 24},
         {{"caption", "Make Background"}, {"centercaption", true}, {"backcolor", 0x646464u},
          {"fontname", "Tahoma"}, {"fontsize", 9.75}}},
        {"elboton1", K::Button, "", {692, 675, 117, 24},
         {{"caption", "Load Picture"}, {"centercaption", true}, {"backcolor", 0x646464u},
          {"fontname", "Tahoma"}, {"fontsize", 9.75}}},
        // The word after a build, between the resolution list and the buttons; shown only for a few seconds.
        {"Label4", K::Label, "", {273, 669, 289, 40},
         {{"caption", ""}, {"forecolor", kWhite}, {"fontname", "Tahoma"}, {"fontsize", 8.25}, {"visible", false},
          {"elide", "middle"}}},
        {"Source_Buffer", K::PictureBox, "", {12, 697, 526, 389}, {{"visible", false}}},
        {"Temp_Buffer", K::PictureBox, "", {300, 699, 526, 389}, {{"visible", false}}},
    }};
}

FormDefinition process_form_definition() {
    return FormDefinition{"process", 312, 71, 0x646464, {
        {"Label1", K::Label, "", {30, 7, 253, 19},
         {{"caption", "BUILDING BACKGROUND..."}, {"forecolor", kWhite}, {"fontname", "Tahoma"}, {"fontsize", 8.25},
          {"fontbold", true}, {"alignment", "center"}}},
        {"Label2", K::Label, "", {30, 54, 253, 12},
         {{"caption", "will take some time, be patient :)"}, {"forecolor", kWhite}, {"fontname", "Tahoma"},
          {"fontsize", 8.25}, {"fontbold", true}, {"alignment", "center"}}},
        {"elprogress1", K::ProgressBar, "", {8, 26, 296, 24}, {{"color3ddark", 0x222E28u}}},
    }};
}

}  // namespace morvane::app
