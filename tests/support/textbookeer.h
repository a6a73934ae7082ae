#pragma once

#include "diagrambuilder.h"

// The textbook's enhanced-ER example, drawn through the editor: EMPLOYEE specialized into
// {SECRETARY, TECHNICIAN, ENGINEER} (disjoint, partial, by Job_type), {SALARIED_EMPLOYEE,
// HOURLY_EMPLOYEE} (disjoint, total) and {MANAGER}; ENGINEERING_MANAGER a shared subclass of
// ENGINEER and MANAGER; TECHNICIAN in the 1:N relationship BELONGS_TO with TRADE_UNION;
// VEHICLE specialized into {CAR, TRUCK} (disjoint, total); and the category OWNER over PERSON,
// BANK and COMPANY.
struct TextbookEer {
    TextbookEer();
    // Sets the options of the by-job, by-pay and vehicle specializations on the model.
    void map(SubclassMapping jobs, SubclassMapping pay, SubclassMapping vehicles);

    DiagramBuilder b;
    int employee = 0, ssn = 0, jobType = 0, secretary = 0, technician = 0, engineer = 0,
        manager = 0, salaried = 0, hourly = 0, engineeringManager = 0, tradeUnion = 0, vehicle = 0,
        car = 0, truck = 0, person = 0, bank = 0, company = 0, owner = 0;
    int byJob = 0, byPay = 0, managers = 0, vehicles = 0, ownerCategory = 0;
};
