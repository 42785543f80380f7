// The user's description of the broker's site: its addresses, and the page
// templates and names that recognition applies to every parsed page.
#pragma once

#include <string>
#include <vector>

#include "site/cat_field.h"

namespace vantrope {

struct SiteSettings {
  std::string MainUrl, ReturnUrl, LogOutUrl, PortFolioUrl;
  bool LoadPictures = true;
  // The template lines as the settings file holds them...
  std::vector<std::string> PageFieldTemplates;
  std::vector<std::string> PageControlTemplates;
  std::vector<std::string> PageNames;
  // ...and as loaded at start-up.
  std::vector<TCatField> PageFields;
  std::vector<TCatField> PageControls;

  // Builds the templates from their lines; a control table holds at least
  // the controls the robot knows.
  void LoadPageTemplates();
  // A page without a name in the settings has an empty one.
  const std::string& PageNameOf(size_t page) const;
  // The host name is one of the site's four addresses: a site may use two.
  bool IsSiteHost(const std::string& host) const;
};

}  // namespace vantrope
