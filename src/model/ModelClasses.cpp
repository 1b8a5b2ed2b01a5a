#include "model/ModelClasses.h"

#include "model/KBXAktie.h"
#include "model/KBXKonto.h"
#include "model/KBXKurs.h"
#include "model/KBXKursverlauf.h"

const ClassRegistry& ModelClassRegistry() {
  static const ClassRegistry registry = [] {
    ClassRegistry r;
    r.Add<CKBXAktie>();
    r.Add<CKBXKursverlauf>();
    r.Add<CKBXKurs>();
    r.Add<CKBXKontoTransaktion>();
    return r;
  }();
  return registry;
}
