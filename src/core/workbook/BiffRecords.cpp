// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook/BiffRecords.h"

#include "workbook/LittleEndian.h"

bool CBiffRecordCursor::Peek(CBiffRecord& record) const {
  if (!HasBytes(stream_, position_, 4)) return false;
  const uint16_t length = ReadU16(stream_, position_ + 2);
  if (!HasBytes(stream_, position_ + 4, length)) return false;
  record.type = ReadU16(stream_, position_);
  record.offset = position_;
  record.body = stream_.subspan(position_ + 4, length);
  return true;
}

bool CBiffRecordCursor::Next(CBiffRecord& record) {
  if (!Peek(record)) return false;
  position_ += 4 + record.body.size();
  walked_ += 4 + record.body.size();
  return true;
}

void CBiffRecordCursor::TakeContinues(std::vector<std::span<const uint8_t>>& segments) {
  CBiffRecord record;
  while (Peek(record) && record.type == biff::kContinue) {
    segments.push_back(record.body);
    position_ += 4 + record.body.size();
    walked_ += 4 + record.body.size();
  }
}
