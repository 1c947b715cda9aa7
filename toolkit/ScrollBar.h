// The scroll bar: a position between Min and Max that the player or the program moves.
#pragma once
#include "toolkit/Controls.h"

namespace toolkit {

enum TScrollBarKind { sbHorizontal, sbVertical };

// Position always lies in Min .. Max - PageSize + 1 (Min .. Max while PageSize is 0 or 1). The
// arrows move it by SmallChange, a press on the track by LargeChange. OnChange fires once after
// every real change of Position: dragged, stepped, or assigned by the program (setting the
// position it already has does nothing). A change of range that pulls Position in is a change too.
class TScrollBar : public TControl {
 public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return FKind; }
  void set_Kind(TScrollBarKind v);
  int Min() const { return FMin; }
  void set_Min(int v) { SetParams(FPosition, v, FMax); }
  int Max() const { return FMax; }
  void set_Max(int v) { SetParams(FPosition, FMin, v); }
  int Position() const { return FPosition; }
  void set_Position(int v) { SetParams(v, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void set_PageSize(int v);
  int SmallChange() const { return FSmallChange; }
  void set_SmallChange(int v);
  int LargeChange() const { return FLargeChange; }
  void set_LargeChange(int v);
  // Position, Min and Max at once; a Max below Min is raised to Min.
  void SetParams(int APosition, int AMin, int AMax);

  TNotifyEvent OnChange;

 protected:
  void CreateHandle() override;
  void ApplyProperties() override;

 private:
  friend struct ScrollAccess;
  int Highest() const;
  void ApplyRange();
  // The player moved the thumb to v.
  void Scrolled(int v);

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0;
  int FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
  bool FApplying = false;
};

}  // namespace toolkit
