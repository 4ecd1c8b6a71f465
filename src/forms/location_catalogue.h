#pragma once

#include <span>
#include <string_view>

// The LocationCatalogue: the fixed lists behind the location inputs of the main window. Every
// lookup compares the whole text exactly (no trimming, no folding); the lists come back in their
// own order, for the caller to append item by item.
namespace tuvo {

// The 17 office texts, offices 1 to 17, in list order.
std::span<const std::string_view> OfficeList();

// The office's project texts in list order (office 7's ends with an empty item); empty for a text
// that is no office.
std::span<const std::string_view> OfficeProjectList(std::string_view office);

// The project's section texts in order (k numbered texts, one empty item, or the one unnumbered
// text); empty when no project has that text, office 7's empty item included.
std::span<const std::string_view> ProjectSectionList(std::string_view project);

// The office's station texts (the keys of the station tables) in list order; empty for a text
// that is no office.
std::span<const std::string_view> OfficeStationList(std::string_view office);

}  // namespace tuvo
