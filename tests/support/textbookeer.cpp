#include "textbookeer.h"

TextbookEer::TextbookEer() {
    const auto entity = [&](const char* name, std::initializer_list<const char*> attributes,
                            bool keyed) {
        const int e = b.entity(name);
        bool first = keyed;
        for (const char* a : attributes) {
            b.attribute(e, a, first);
            first = false;
        }
        return e;
    };
    employee = entity("EMPLOYEE", {"Ssn", "Fname", "Job_type"}, true);
    ssn = b.d.element(employee).AttributeList.items().at(0);
    jobType = b.d.element(employee).AttributeList.items().at(2);
    secretary = entity("SECRETARY", {"Typing_speed"}, false);
    technician = entity("TECHNICIAN", {"Tgrade"}, false);
    engineer = entity("ENGINEER", {"Eng_type"}, false);
    manager = entity("MANAGER", {}, false);
    salaried = entity("SALARIED_EMPLOYEE", {"Salary"}, false);
    hourly = entity("HOURLY_EMPLOYEE", {"Pay_scale"}, false);
    engineeringManager = entity("ENGINEERING_MANAGER", {}, false);
    tradeUnion = entity("TRADE_UNION", {"Uname"}, true);
    vehicle = entity("VEHICLE", {"Vehicle_id", "Price"}, true);
    car = entity("CAR", {"Max_speed"}, false);
    truck = entity("TRUCK", {"Tonnage"}, false);
    person = entity("PERSON", {"Ssn", "Name"}, true);
    bank = entity("BANK", {"Bname"}, true);
    company = entity("COMPANY", {"Cname"}, true);
    owner = entity("OWNER", {}, false);

    byJob = b.specialization(employee, {secretary, technician, engineer});
    b.editor.setDefiningAttribute(byJob, jobType);
    byPay = b.specialization(employee, {salaried, hourly}, false, true);
    managers = b.specialization(employee, {manager});
    b.specialization(engineer, {engineeringManager});
    b.specialization(manager, {engineeringManager});
    vehicles = b.specialization(vehicle, {car, truck}, false, true);
    ownerCategory = b.category({person, bank, company}, owner);

    const int belongs = b.relationship("BELONGS_TO");
    const auto [k0, k1] = b.binary(technician, belongs, tradeUnion);
    b.setParticipation(k0, "0,N");
    b.setParticipation(k1, "0,1");
}

void TextbookEer::map(SubclassMapping jobs, SubclassMapping pay, SubclassMapping vehicleOption) {
    b.d.element(byJob).Mapping = jobs;
    b.d.element(byPay).Mapping = pay;
    b.d.element(vehicles).Mapping = vehicleOption;
}
