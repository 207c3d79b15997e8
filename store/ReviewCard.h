#pragma once
// A word's place in the spaced review, as the scheduler computes it and the review tables keep it.

#include <cstdint>

enum class ReviewState { New = 0, Learning = 1, Review = 2, Relearning = 3 };

enum class ReviewRating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// Times are whole Unix seconds.
struct ReviewCard {
    ReviewState state = ReviewState::New;
    int step = 0; // the (re)learning step reached
    std::int64_t due = 0;
    double stability = 0;
    double difficulty = 0;
    int scheduledDays = 0; // 0 while the card is in a (re)learning step
    int reps = 0;
    int lapses = 0;              // times a card in review was forgotten
    std::int64_t lastReview = 0; // 0: never reviewed
};
