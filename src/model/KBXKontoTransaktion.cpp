#include "model/KBXKontoTransaktion.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

void CKBXKontoTransaktion::Write(ArchiveWriter& a) const {
  a.WriteInt32(positionNumber);
  a.WriteInt32(kind);
  a.WriteInt32(amountDm);
  a.WriteInt32(amountEur);
  a.WriteString(text);
  date.Write(a);
}

void CKBXKontoTransaktion::Read(ArchiveReader& a) {
  positionNumber = a.ReadInt32();
  kind = a.ReadInt32();
  amountDm = a.ReadInt32();
  amountEur = a.ReadInt32();
  text = a.ReadString();
  date.Read(a);
}
