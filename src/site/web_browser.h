// Browser port: the embedded web browser that shows and drives the broker's site.
#pragma once

#include <string>

namespace vantrope {

class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  virtual void Navigate(const std::string& url) = 0;
  virtual void Stop() = 0;
  virtual void GoBack() = 0;
  // A load is in progress.
  virtual bool Busy() = 0;
  virtual std::string LocationUrl() = 0;
  // Forgets the addresses visited.
  virtual void ClearHistory() = 0;
  // Download option: whether pages load their pictures.
  virtual void SetLoadPictures(bool load) = 0;
};

}  // namespace vantrope
