#include "model/ModelClasses.h"

#include "model/KBXAktie.h"
#include "model/KBXKonto.h"
#include "model/KBXKurs.h"

const ClassRegistry& ModelClassRegistry() {
  static const ClassRegistry registry = [] {
    ClassRegistry r;
    r.add<CKBXAktie>();
    r.add<CKBXKursverlauf>();
    r.add<CKBXKurs>();
    r.add<CKBXKontoTransaktion>();
    return r;
  }();
  return registry;
}
