#pragma once

struct RecordFamily;

// The rent demands (H_求租表): customers looking for a house to rent. No states, no deal, no
// commission; bill type "E", shared with the purchase demands; printed as a demand sheet.
class RentFamily {
public:
    static const RecordFamily& get();
};
