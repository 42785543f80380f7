#include "site/page_actions.h"

#include "site/page_search.h"
#include "text/utf8.h"
#include "ui/money.h"

namespace vantrope {

bool PageActionBatch::CanActOn(size_t index) const {
  return index < page_.WebFields.size() && !Trim(location_).empty() && !link_;
}

int PageActionBatch::WebSetValue(size_t index, const std::string& text) { return AddSetValue(index, Trim(text)); }

int PageActionBatch::WebTypePassword(size_t index, const std::string& password) {
  return AddSetValue(index, password);
}

int PageActionBatch::AddSetValue(size_t index, const std::string& value) {
  if (!CanActOn(index) || page_.WebFields[index].Kind != kKindForm) return -1;
  const TCatField& record = page_.WebFields[index];
  actions_.push_back({DomAction::Kind::SetValue, record.ID, record.Ftype, record.Ftext, value, false});
  return static_cast<int>(actions_.size()) - 1;
}

int PageActionBatch::WebExecute(size_t index, bool only_after_success) {
  if (!CanActOn(index)) return -1;
  const TCatField& record = page_.WebFields[index];
  if (record.Kind == kKindLink) {
    const std::string address = Trim(record.Fsubdata);
    if (address.empty()) return -1;
    link_ = Link{static_cast<int>(actions_.size()), address, only_after_success};
    return link_->number;
  }
  if (record.Kind != kKindForm) return -1;
  actions_.push_back({DomAction::Kind::Click, record.ID, record.Ftype, record.Ftext, "", only_after_success});
  return static_cast<int>(actions_.size()) - 1;
}

int PageActionReport::Count(int action) const {
  if (action < 0 || static_cast<size_t>(action) >= results_.size() || !results_[action].answered) return 0;
  return results_[action].count;
}

bool PageActionReport::Unanswered(int action) const {
  return action >= 0 && static_cast<size_t>(action) < results_.size() && !results_[action].answered;
}

void PageActions::Run(PageActionBatch batch, std::function<void(const PageActionReport&)> done) {
  std::optional<PageActionBatch::Link> link = batch.link_;
  // Even a batch of a link alone asks the page, so that its report comes as
  // every report does, later; the link is followed after the actions.
  browser.RunActions(std::move(batch.actions_),
                     [this, link, done = std::move(done)](std::vector<DomActionResult> results) {
                       if (link) {
                         bool all_took = true;
                         for (const DomActionResult& result : results)
                           all_took = all_took && result.answered && result.count > 0;
                         const bool follow = !link->only_after_success || all_took;
                         if (follow) browser_supervisor.NavigateUrl(link->address);
                         results.push_back({true, follow ? 1 : 0});
                       }
                       done(PageActionReport(std::move(results)));
                     });
}

int32_t PageActions::GetBrokerPercent(uint32_t stake, Slot slot) {
  const int32_t field = page.SlotAt(slot).FieldIndex;
  if (field < 0) return 0;
  const double price = CostTranslate(Trim(GetWebValue(page.WebFields, static_cast<size_t>(field))));
  // A stake of 0 has no percentage.
  if (price == 0 || stake == 0) return 0;
  page.BetPrice = price;
  return RoundHalfEvenTo<int32_t>(price / (stake / 100.0));
}

}  // namespace vantrope
