# Read by ctest after the test programs' own lists: the tests that start a real LibreOffice (a
# converter, a viewer or a one-shot conversion) take two of ctest's slots each, so that `-j8` starts
# no more offices at once than the machine serves, and a cold start stays near its usual seconds.
set(office_tests
  "^OfficeServiceTest\\."
  "^OfficeViewerTest\\."
  "^DeadOrStopped/BrokenViewerTest\\."
  "^Ends/OfficeOwnWindow\\."
  "^Umasks/OfficeProgramEnd\\."
  "^OfficeWorkbookWindows\\.WithoutDisplay"
  "^SheetSave\\."
  "^SavedChart(Pages)?\\."
  "^XlsSaveFailureFacts\\."
  "^SummarySheetTest\\.SavedWorkbook"
  "^Compute/RunFailureMessage\\."
  "^ComputeTest\\."
  "^NewComputationWithoutSpreadsheet\\."
  "^SecondSeason\\."
  "^Scenario\\."
  "^Seasons/"
  "^SummaryE2ETest\\."
  "^TwoPrograms\\."
  "^DriveTool\\."
  "^UnoExit\\.EndingWhileRequestsRun")
# The test programs are those tests/CMakeLists.txt made (test_programs.cmake, read just before).
foreach(program IN LISTS tuvo_test_programs)
  foreach(test IN LISTS ${program}_TESTS)
    foreach(pattern IN LISTS office_tests)
      if(test MATCHES "${pattern}")
        set_tests_properties("${test}" PROPERTIES PROCESSORS 2)
        break()
      endif()
    endforeach()
  endforeach()
endforeach()
